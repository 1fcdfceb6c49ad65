#pragma once
// Comma-separated values as spreadsheets write them: UTF-8 with or without a
// byte-order mark, fields quoted with double quotes where they hold the
// separator, a quote or a line break, records ended by CRLF, LF or CR. The
// separator is a comma or a semicolon (spreadsheets in many locales write
// semicolons) and is told from the first record.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

namespace lt::csv {

/// One record with the number of the line it starts on (the first line is 1).
struct Record {
    int line = 0;
    QStringList fields;
};

/// A whole file: its records in order, empty lines left out.
struct Table {
    QChar separator = QLatin1Char(',');
    bool bom = false;  // the file started with a UTF-8 byte-order mark
    QList<Record> records;
};

/// Why a file could not be read, and on which line.
struct ParseError {
    int line = 0;
    QString reason;
};

/// Reads a CSV file. Returns false with the line and the reason when the
/// bytes are not UTF-8 or the quoting is broken; the table is then empty.
bool parse(const QByteArray& bytes, Table& table, ParseError& error);

/// Reads a CSV file record by record, the header first, handing each to
/// `take` and keeping none, for files too large to hold as a table. `take`
/// returns an empty text to go on, or a reason to stop with, which becomes
/// the error on the record's line. Returns false with the line and the
/// reason when the bytes are not UTF-8, the quoting is broken or `take`
/// stopped; the records before were handed over already.
/// `separator`, when given, receives the separator told from the header.
bool forEachRecord(const QByteArray& bytes, const std::function<QString(const Record&)>& take,
                   ParseError& error, QChar* separator = nullptr);

/// The separator a header line uses: the semicolon when it holds more
/// semicolons than commas outside quotes, else the comma.
QChar detectSeparator(const QString& text);

/// A field as written: quoted (quotes doubled) when it holds a comma, a
/// semicolon, a quote, a line break, or starts or ends with a space or a tab.
QString quoteField(const QString& field, QChar separator);

/// Writes records as UTF-8 with CRLF line ends, optionally after a
/// byte-order mark. Fields are quoted where they need it, and always where
/// `alwaysQuote(record, field)` says so.
QByteArray write(const QList<QStringList>& records, QChar separator, bool bom,
                 const std::function<bool(qsizetype, qsizetype)>& alwaysQuote = {});

}  // namespace lt::csv
