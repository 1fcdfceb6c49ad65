#pragma once
// Interface language files (*.lng): their encoding, their line syntax and the
// translation set one file carries.
//
// A file is text in UTF-8 or UTF-16 (told by its byte-order mark) or, without
// a mark, in the Windows-1252 code page. Lines are trimmed; ";" starts a
// comment; "[Name]" opens a window section or the "$CONSTANTS" section; value
// lines before the first section are the file's parameters ("LANGID=1045");
// in a window section "00000002=Text" translates entry 2 of that window.

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <map>
#include <utility>

namespace lt::i18n {

/// Files larger than this are refused before anything is decoded.
inline constexpr qint64 MaxLangFileSize = 4 * 1024 * 1024;

/// The texts of one window section, by entry number.
using WindowTexts = std::map<int, QString>;

/// Everything one language file carries.
struct TranslationSet {
    QList<std::pair<QString, QString>> params;     // before the first section, in file order
    QList<std::pair<QString, QString>> constants;  // "$CONSTANTS", decoded, in file order
    QHash<QString, WindowTexts> windows;           // by case-folded window name

    /// The first parameter of that name (any case); empty when absent.
    QString param(const QString& name) const;
    /// The section of that window (any case), or nullptr when the file has none.
    const WindowTexts* window(const QString& name) const;
    bool isEmpty() const { return params.isEmpty() && constants.isEmpty() && windows.isEmpty(); }
};

/// Turns the bytes of a language file into text by its byte-order mark.
QString decodeLangBytes(const QByteArray& bytes);

/// Trims leading and trailing blanks and control characters (codes up to 32).
QStringView trimLangLine(QStringView s);

/// The integer conversion used for "LANGID" and entry numbers: optional sign,
/// then decimal digits or "$" / "0x" and hexadecimal digits. False when the
/// text is not such a number or does not fit 32 bits.
bool langStrToInt(QStringView s, int* value);

/// Decodes a written text: "\\" backslash, "\n" line break (CR LF), "\t" tab,
/// a backslash and two decimal digits that character; any other backslash
/// stays as it is.
QString decodeLangValue(QStringView s);
/// The reverse of decodeLangValue, as files are written: the result decodes
/// back to `text` and survives the trimming of its line.
QString encodeLangValue(const QString& text);

/// Splits a translated string-list text at its line breaks (CR LF, LF or CR).
QStringList splitLangLines(const QString& text);

/// Parses a whole file's text into `out`. False with the loading error in
/// `error` when a window section repeats an entry number or a constant is
/// misnamed or repeated.
bool parseTranslations(const QString& text, TranslationSet& out, QString* error);

/// Reads and parses a file. False with a message in `error` when the file
/// cannot be read, is too large or fails to parse.
bool loadTranslationFile(const QString& path, TranslationSet& out, QString* error);

/// Reads only a file's parameters (the lines before the first one that starts
/// with "[") and returns its "LANGID", 0 when the file is missing, unreadable,
/// too large, or has no "LANGID" that is a number.
int readLangFileId(const QString& path);

/// The loading error text for a line (counted from 0) and its cause.
QString loadingError(int line, const QString& cause);

}  // namespace lt::i18n
