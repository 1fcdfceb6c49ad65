#pragma once
// Zip containers (timetable feeds, spreadsheet workbooks), read and written
// through libzip. Entries are read one at a time by name, so a feed's large
// tables that are not needed are never unpacked.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

namespace lt {

/// An open zip archive, read-only. Every failure leaves a readable reason in
/// error(); nothing here throws.
class ZipReader {
public:
    ZipReader();
    ~ZipReader();
    ZipReader(const ZipReader&) = delete;
    ZipReader& operator=(const ZipReader&) = delete;

    /// Opens the archive at path; false (and error()) when it is not a zip
    /// file, is damaged or cannot be read.
    bool open(const QString& path);
    /// Opens an archive held in memory; the bytes are copied.
    bool open(const QByteArray& bytes);

    /// The names of the entries, in the order the archive lists them.
    QStringList names() const { return m_names; }
    /// The index of the entry called name (compared without regard to case
    /// when caseSensitive is false), or -1.
    int indexOf(const QString& name, bool caseSensitive = true) const;
    /// The unpacked size the archive states for an entry.
    qint64 size(int index) const;
    /// Unpacks an entry whole; nullopt (and error()) when the entry is missing,
    /// damaged or larger than maxSize bytes once unpacked.
    std::optional<QByteArray> read(int index, qint64 maxSize);
    std::optional<QByteArray> read(const QString& name, qint64 maxSize) {
        return read(indexOf(name), maxSize);
    }
    /// Unpacks an entry piece by piece, for entries too large to hold whole,
    /// handing each piece to `take`, which returns false to stop early. False
    /// (and error()) when the entry is missing or damaged.
    bool readPieces(int index, const std::function<bool(QByteArrayView)>& take);

    QString error() const { return m_error; }

private:
    bool openSource(void* source);
    void close();

    struct Handle;
    std::unique_ptr<Handle> m_handle;
    QByteArray m_bytes;  // what an archive in memory is read from
    QStringList m_names;
    QList<qint64> m_sizes;
    QString m_error;
};

/// One file to put into an archive.
struct ZipEntry {
    QString name;
    QByteArray data;
    bool stored = false;  // kept as it is rather than compressed
};

/// The bytes of a zip archive holding the entries in the given order,
/// compressed with deflate unless stored, and stamped with one fixed time, so
/// the same entries always give the same bytes. Empty (and error set) on
/// failure.
QByteArray writeZip(const QList<ZipEntry>& entries, QString* error = nullptr);

}  // namespace lt
