#include "editor/autosave.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>
#include <QStandardPaths>

#include <algorithm>
#include <atomic>

namespace lt {

namespace {

constexpr char kCopySuffix[] = ".vmprj";
constexpr char kSideSuffix[] = ".autosave";
constexpr char kLockSuffix[] = ".lock";

/// A name no other run and no other Autosave of this run uses: the process,
/// the moment it started and a counter.
QString newRunId() {
    static std::atomic<int> counter{0};
    return QStringLiteral("%1-%2-%3")
        .arg(QCoreApplication::applicationPid())
        .arg(QDateTime::currentMSecsSinceEpoch())
        .arg(counter++);
}

QString writeAtomically(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return file.errorString();
    if (file.write(bytes) != bytes.size()) {
        const QString error = file.errorString();
        file.cancelWriting();
        return error;
    }
    if (!file.commit()) return file.errorString();
    return QString();
}

/// The side file: the time on the first line, then the project's file, which
/// runs to the end (a path may hold any character).
QByteArray sideContent(const QString& projectPath, const QDateTime& savedAt) {
    return "saved=" + savedAt.toUTC().toString(Qt::ISODateWithMs).toUtf8() + "\nfile=" + projectPath.toUtf8();
}

void readSide(const QString& path, AutosaveCopy& copy) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return;
    const QByteArray bytes = file.read(64 * 1024);
    const qsizetype end = bytes.indexOf('\n');
    if (!bytes.startsWith("saved=") || end < 0 || bytes.mid(end + 1, 5) != "file=") return;
    const QDateTime saved =
        QDateTime::fromString(QString::fromUtf8(bytes.mid(6, end - 6)), Qt::ISODateWithMs);
    if (saved.isValid()) copy.savedAt = saved;
    copy.projectPath = QString::fromUtf8(bytes.mid(end + 6));
}

}  // namespace

int autosaveInterval() {
    bool ok = false;
    const int ms = qEnvironmentVariableIntValue("LINETINT_AUTOSAVE_MS", &ok);
    return ok && ms > 0 ? ms : 60 * 1000;
}

QString Autosave::defaultFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/autosave");
}

Autosave::Autosave(const QString& folder) : m_folder(folder), m_id(newRunId()) {}

Autosave::~Autosave() {
    removeOwn();
}

QString Autosave::pathOf(const QString& id, const char* suffix) const {
    return m_folder + QLatin1Char('/') + id + QLatin1String(suffix);
}

QString Autosave::copyPath() const {
    return pathOf(m_id, kCopySuffix);
}

QString Autosave::sidePath() const {
    return pathOf(m_id, kSideSuffix);
}

void Autosave::setModified(bool modified) {
    m_modified = modified;
    if (!modified) removeOwn();
}

QString Autosave::writeIfModified(const sDane& dane, const QString& projectPath) {
    return m_modified ? write(dane, projectPath) : QString();
}

QString Autosave::write(const sDane& dane, const QString& projectPath) {
    if (m_folder.isEmpty()) return QStringLiteral("No folder for the copy");
    if (!QDir().mkpath(m_folder)) return QStringLiteral("Cannot make the folder %1").arg(m_folder);
    // The lock tells other runs this copy is alive; it is taken before the
    // copy exists, so no start ever sees the copy without it.
    if (!m_lock) {
        auto lock = std::make_unique<QLockFile>(pathOf(m_id, kLockSuffix));
        lock->setStaleLockTime(0);
        if (!lock->tryLock(0)) return QStringLiteral("Cannot lock %1").arg(lock->fileName());
        m_lock = std::move(lock);
    }
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(&dane), sizeof(sDane));
    QString error = writeAtomically(copyPath(), bytes);
    if (error.isEmpty())
        error = writeAtomically(sidePath(), sideContent(projectPath, QDateTime::currentDateTime()));
    return error;
}

void Autosave::removeOwn() {
    if (!m_lock) return;
    QFile::remove(copyPath());
    QFile::remove(sidePath());
    m_lock.reset();  // unlocking removes the lock file
}

std::vector<AutosaveCopy> Autosave::claimLeftovers() {
    std::vector<AutosaveCopy> found;
    const QDir dir(m_folder);
    const QStringList copies =
        dir.entryList({QStringLiteral("*") + QLatin1String(kCopySuffix)}, QDir::Files | QDir::Hidden);
    for (const QString& name : copies) {
        const QString id = name.chopped(int(sizeof(kCopySuffix)) - 1);
        if (id == m_id) continue;
        if (m_claims.count(id)) {
            // Already claimed by this run: offered again as it is.
        } else {
            auto lock = std::make_unique<QLockFile>(pathOf(id, kLockSuffix));
            lock->setStaleLockTime(0);  // only a run that is gone gives its copy up
            if (!lock->tryLock(0)) continue;
            m_claims[id] = std::move(lock);
        }
        AutosaveCopy copy;
        copy.id = id;
        copy.copyPath = pathOf(id, kCopySuffix);
        copy.savedAt = QFileInfo(copy.copyPath).lastModified();
        readSide(pathOf(id, kSideSuffix), copy);
        found.push_back(copy);
    }
    std::sort(found.begin(), found.end(),
              [](const AutosaveCopy& a, const AutosaveCopy& b) { return a.savedAt > b.savedAt; });
    return found;
}

void Autosave::release(const AutosaveCopy& copy) {
    m_claims.erase(copy.id);
}

void Autosave::discard(const AutosaveCopy& copy) {
    if (!m_claims.count(copy.id)) return;  // only what this run holds
    QFile::remove(pathOf(copy.id, kCopySuffix));
    QFile::remove(pathOf(copy.id, kSideSuffix));
    m_claims.erase(copy.id);
}

}  // namespace lt
