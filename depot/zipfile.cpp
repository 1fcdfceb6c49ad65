#include "depot/zipfile.h"

#include "model/projectfile.h"

#include <algorithm>
#include <cstdint>
#include <zip.h>

namespace lt {

namespace {

QString zipErrorText(zip_error_t* error) {
    return QString::fromLocal8Bit(zip_error_strerror(error));
}

// Entries are stamped with one fixed MS-DOS date and time (2000-01-01
// 00:00), written as they stand, so the same entries always give the same
// bytes whatever the clock and time zone.
constexpr zip_uint16_t kFixedDosDate = (20 << 9) | (1 << 5) | 1;
constexpr zip_uint16_t kFixedDosTime = 0;

}  // namespace

struct ZipReader::Handle {
    zip_t* archive = nullptr;
};

ZipReader::ZipReader() : m_handle(std::make_unique<Handle>()) {}

ZipReader::~ZipReader() {
    close();
}

void ZipReader::close() {
    if (m_handle->archive) zip_discard(m_handle->archive);
    m_handle->archive = nullptr;
    m_names.clear();
    m_sizes.clear();
}

bool ZipReader::open(const QString& path) {
    QByteArray bytes;
    QString error;
    if (!readWholeFile(path, bytes, error)) {
        close();
        m_error = QStringLiteral("%1: %2").arg(path, error);
        return false;
    }
    return open(bytes);
}

bool ZipReader::open(const QByteArray& bytes) {
    close();
    m_bytes = bytes;
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source =
        zip_source_buffer_create(m_bytes.constData(), zip_uint64_t(m_bytes.size()), 0, &error);
    if (!source) {
        m_error = zipErrorText(&error);
        zip_error_fini(&error);
        return false;
    }
    zip_t* archive = zip_open_from_source(source, ZIP_RDONLY, &error);
    if (!archive) {
        m_error = QStringLiteral("not a readable zip file (%1)").arg(zipErrorText(&error));
        zip_error_fini(&error);
        zip_source_free(source);
        return false;
    }
    zip_error_fini(&error);
    m_handle->archive = archive;
    const zip_int64_t count = zip_get_num_entries(archive, 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        zip_stat_t st;
        zip_stat_init(&st);
        if (zip_stat_index(archive, zip_uint64_t(i), 0, &st) != 0 || !(st.valid & ZIP_STAT_NAME)) {
            m_error = QStringLiteral("entry %1 of the zip file is damaged").arg(i + 1);
            close();
            return false;
        }
        m_names << QString::fromUtf8(st.name);
        m_sizes << ((st.valid & ZIP_STAT_SIZE) ? qint64(std::min<zip_uint64_t>(st.size, INT64_MAX)) : -1);
    }
    m_error.clear();
    return true;
}

int ZipReader::indexOf(const QString& name, bool caseSensitive) const {
    const Qt::CaseSensitivity cs = caseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive;
    for (qsizetype i = 0; i < m_names.size(); ++i)
        if (m_names[i].compare(name, cs) == 0) return int(i);
    return -1;
}

qint64 ZipReader::size(int index) const {
    return index >= 0 && index < m_sizes.size() ? m_sizes[index] : -1;
}

std::optional<QByteArray> ZipReader::read(int index, qint64 maxSize) {
    if (!m_handle->archive || index < 0 || index >= m_names.size()) {
        m_error = QStringLiteral("no such entry in the zip file");
        return std::nullopt;
    }
    const QString& name = m_names[index];
    if (m_sizes[index] < 0 || m_sizes[index] > maxSize) {
        m_error = QStringLiteral("%1 in the zip file is too large (%2 bytes unpacked; at most %3)")
                      .arg(name)
                      .arg(m_sizes[index])
                      .arg(maxSize);
        return std::nullopt;
    }
    zip_file_t* file = zip_fopen_index(m_handle->archive, zip_uint64_t(index), 0);
    if (!file) {
        m_error = QStringLiteral("%1 in the zip file cannot be read (%2)")
                      .arg(name, QString::fromLocal8Bit(zip_strerror(m_handle->archive)));
        return std::nullopt;
    }
    // Read one byte past the stated size, so an entry that unpacks to more
    // than its header says is caught rather than trusted.
    QByteArray data(m_sizes[index] + 1, Qt::Uninitialized);
    qint64 got = 0;
    while (got < data.size()) {
        const zip_int64_t n = zip_fread(file, data.data() + got, zip_uint64_t(data.size() - got));
        if (n < 0) {
            m_error = QStringLiteral("%1 in the zip file is damaged (%2)")
                          .arg(name, QString::fromLocal8Bit(zip_file_strerror(file)));
            zip_fclose(file);
            return std::nullopt;
        }
        if (n == 0) break;
        got += n;
    }
    zip_fclose(file);
    if (got != m_sizes[index]) {
        m_error = QStringLiteral("%1 in the zip file is damaged (its size does not match)").arg(name);
        return std::nullopt;
    }
    data.truncate(got);
    return data;
}

bool ZipReader::readPieces(int index, const std::function<bool(QByteArrayView)>& take) {
    if (!m_handle->archive || index < 0 || index >= m_names.size()) {
        m_error = QStringLiteral("no such entry in the zip file");
        return false;
    }
    const QString& name = m_names[index];
    zip_file_t* file = zip_fopen_index(m_handle->archive, zip_uint64_t(index), 0);
    if (!file) {
        m_error = QStringLiteral("%1 in the zip file cannot be read (%2)")
                      .arg(name, QString::fromLocal8Bit(zip_strerror(m_handle->archive)));
        return false;
    }
    constexpr qsizetype PieceBytes = qsizetype{1} << 20;
    QByteArray piece(PieceBytes, Qt::Uninitialized);
    qint64 got = 0;
    while (true) {
        const zip_int64_t n = zip_fread(file, piece.data(), zip_uint64_t(PieceBytes));
        if (n < 0) {
            m_error = QStringLiteral("%1 in the zip file is damaged (%2)")
                          .arg(name, QString::fromLocal8Bit(zip_file_strerror(file)));
            zip_fclose(file);
            return false;
        }
        if (n == 0) break;
        got += n;
        if (!take(QByteArrayView(piece.constData(), qsizetype(n)))) {
            zip_fclose(file);
            return true;
        }
    }
    zip_fclose(file);
    if (m_sizes[index] >= 0 && got != m_sizes[index]) {
        m_error = QStringLiteral("%1 in the zip file is damaged (its size does not match)").arg(name);
        return false;
    }
    return true;
}

QByteArray writeZip(const QList<ZipEntry>& entries, QString* error) {
    auto failWith = [error](const QString& text) {
        if (error) *error = text;
        return QByteArray();
    };
    zip_error_t zerror;
    zip_error_init(&zerror);
    zip_source_t* buffer = zip_source_buffer_create(nullptr, 0, 0, &zerror);
    if (!buffer) {
        const QString text = zipErrorText(&zerror);
        zip_error_fini(&zerror);
        return failWith(text);
    }
    zip_t* archive = zip_open_from_source(buffer, ZIP_TRUNCATE, &zerror);
    if (!archive) {
        const QString text = zipErrorText(&zerror);
        zip_error_fini(&zerror);
        zip_source_free(buffer);
        return failWith(text);
    }
    zip_error_fini(&zerror);
    zip_source_keep(buffer);  // kept past zip_close to read the archive back
    for (const ZipEntry& e : entries) {
        zip_source_t* data = zip_source_buffer(archive, e.data.constData(), zip_uint64_t(e.data.size()), 0);
        const QByteArray name = e.name.toUtf8();
        const zip_int64_t index =
            data ? zip_file_add(archive, name.constData(), data, ZIP_FL_ENC_UTF_8 | ZIP_FL_OVERWRITE) : -1;
        if (index < 0) {
            if (data) zip_source_free(data);
            const QString text = QString::fromLocal8Bit(zip_strerror(archive));
            zip_discard(archive);
            zip_source_free(buffer);
            return failWith(text);
        }
        zip_set_file_compression(archive, zip_uint64_t(index), e.stored ? ZIP_CM_STORE : ZIP_CM_DEFLATE, 0);
        zip_file_set_dostime(archive, zip_uint64_t(index), kFixedDosTime, kFixedDosDate, 0);
    }
    if (zip_close(archive) != 0) {
        const QString text = QString::fromLocal8Bit(zip_strerror(archive));
        zip_discard(archive);
        zip_source_free(buffer);
        return failWith(text);
    }
    QByteArray out;
    zip_stat_t st;
    zip_stat_init(&st);
    if (zip_source_stat(buffer, &st) == 0 && (st.valid & ZIP_STAT_SIZE) && zip_source_open(buffer) == 0) {
        out.resize(qsizetype(st.size));
        const zip_int64_t n = zip_source_read(buffer, out.data(), st.size);
        zip_source_close(buffer);
        if (n != zip_int64_t(st.size)) out.clear();
    }
    zip_source_free(buffer);
    if (out.isEmpty()) return failWith(QStringLiteral("the zip archive could not be made"));
    return out;
}

}  // namespace lt
