#include "i18n/langmanager.h"

#include "i18n/langnames.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

#include <algorithm>
#include <mutex>

namespace lt::i18n {

namespace {

// The manager whose reader side this thread holds while it applies
// translations. A window reacting to a new text may ask the manager for the
// current language; it must not take the reader side a second time (the
// lock is not recursive), and it cannot take the writer side at all.
thread_local const TDKLanguageManager* t_applying = nullptr;

class ApplyingScope {
public:
    explicit ApplyingScope(const TDKLanguageManager* m) : m_previous(t_applying) { t_applying = m; }
    ~ApplyingScope() { t_applying = m_previous; }
    ApplyingScope(const ApplyingScope&) = delete;
    ApplyingScope& operator=(const ApplyingScope&) = delete;

private:
    const TDKLanguageManager* m_previous;
};

/// The reader side, unless this thread already holds it.
class ReadLock {
public:
    ReadLock(std::shared_mutex& m, bool held) : m_mutex(held ? nullptr : &m) {
        if (m_mutex) m_mutex->lock_shared();
    }
    ~ReadLock() {
        if (m_mutex) m_mutex->unlock_shared();
    }
    ReadLock(const ReadLock&) = delete;
    ReadLock& operator=(const ReadLock&) = delete;

private:
    std::shared_mutex* m_mutex;
};

}  // namespace

bool TDKLanguageManager::applyingHere() const {
    return t_applying == this;
}

int TDKLanguageManager::ScanForLangFiles(const QString& dir, const QString& mask, bool recursive) {
    QStringList files;
    QDirIterator it(dir, QStringList{mask}, QDir::Files | QDir::Hidden | QDir::System,
                    recursive ? QDirIterator::Subdirectories : QDirIterator::NoIteratorFlags);
    while (it.hasNext()) files.append(it.next());
    files.sort();
    int accepted = 0;
    for (const QString& f : files)
        if (RegisterLangFile(f)) ++accepted;
    return accepted;
}

bool TDKLanguageManager::RegisterLangFile(const QString& fileName) {
    if (applyingHere()) return false;
    if (!QFileInfo(fileName).isFile()) return false;
    const int id = readLangFileId(fileName);
    if (id == 0) return false;
    std::unique_lock lock(m_lock);
    if (id == DefaultLanguageID) return true;
    const auto it =
        std::find_if(m_languages.begin(), m_languages.end(), [id](const Language& l) { return l.id == id; });
    if (it != m_languages.end())
        it->file = fileName;
    else
        m_languages.append({id, fileName});
    return true;
}

int TDKLanguageManager::GetLanguageCount() const {
    ReadLock lock(m_lock, applyingHere());
    return static_cast<int>(m_languages.size()) + 1;
}

int TDKLanguageManager::GetLanguageIDs(int index) const {
    ReadLock lock(m_lock, applyingHere());
    if (index <= 0 || index > m_languages.size()) return DefaultLanguageID;
    return m_languages[index - 1].id;
}

QString TDKLanguageManager::GetLanguageNames(int index) const {
    int id;
    {
        ReadLock lock(m_lock, applyingHere());
        if (index < 0 || index > m_languages.size()) return QString();
        id = index == 0 ? DefaultLanguageID : m_languages[index - 1].id;
    }
    return languageNameForId(id);
}

QString TDKLanguageManager::GetLanguageFiles(int index) const {
    ReadLock lock(m_lock, applyingHere());
    if (index <= 0 || index > m_languages.size()) return QString();
    return m_languages[index - 1].file;
}

int TDKLanguageManager::GetLanguageID() const {
    ReadLock lock(m_lock, applyingHere());
    return m_languageId;
}

int TDKLanguageManager::languageForLocale(const QLocale& locale) const {
    ReadLock lock(m_lock, applyingHere());
    int sameLanguage = 0;
    for (const Language& l : m_languages) {
        const LocaleParts parts = localeForId(l.id);
        if (parts.language != locale.language()) continue;
        if (parts.territory == locale.territory()) return l.id;
        if (!sameLanguage) sameLanguage = l.id;
    }
    return sameLanguage ? sameLanguage : DefaultLanguageID;
}

QString TDKLanguageManager::GetConstantValue(const QString& name) const {
    ReadLock lock(m_lock, applyingHere());
    for (const auto& [n, v] : m_constants)
        if (n.compare(name, Qt::CaseInsensitive) == 0) return v;
    return QString();
}

QString TDKLanguageManager::SetLanguageID(int id) {
    // A window answering a switch in progress cannot start another one.
    if (applyingHere()) return QString();
    TranslationSet set;
    {
        std::unique_lock lock(m_lock);
        QString file;
        for (const Language& l : m_languages)
            if (l.id == id && id != DefaultLanguageID) file = l.file;
        if (file.isEmpty()) id = DefaultLanguageID;
        if (id == m_languageId) return QString();
        QString error;
        if (!file.isEmpty() && !loadTranslationFile(file, set, &error)) return error;
        m_languageId = id;
        m_constants = set.constants;  // constants first, the windows after
    }
    applyToControllers(set);
    return QString();
}

void TDKLanguageManager::applyToControllers(const TranslationSet& set) {
    {
        std::shared_lock lock(m_lock);
        ApplyingScope scope(this);
        // By index: a window made by a reaction to a new text is appended and
        // translated too; a window destroyed meanwhile leaves an empty slot.
        for (std::size_t i = 0; i < m_controllers.size(); ++i) {
            LanguageTarget* c = m_controllers[i];
            if (c) c->applyTranslations(set.window(c->languageWindowName()));
        }
    }
    std::unique_lock lock(m_lock);
    std::erase(m_controllers, nullptr);
}

QString TDKLanguageManager::AddLanguageController(LanguageTarget* target) {
    if (!target) return QString();
    if (applyingHere()) {
        // Made while a switch is being applied: the running loop reaches it.
        m_controllers.push_back(target);
        return QString();
    }
    QString file;
    {
        std::unique_lock lock(m_lock);
        m_controllers.push_back(target);
        if (m_languageId == DefaultLanguageID) return QString();
        for (const Language& l : m_languages)
            if (l.id == m_languageId) file = l.file;
    }
    TranslationSet set;
    QString error;
    if (file.isEmpty() || !loadTranslationFile(file, set, &error)) return error;
    std::shared_lock lock(m_lock);
    ApplyingScope scope(this);
    target->applyTranslations(set.window(target->languageWindowName()));
    return QString();
}

void TDKLanguageManager::RemoveLanguageController(LanguageTarget* target) {
    if (applyingHere()) {
        std::replace(m_controllers.begin(), m_controllers.end(), target,
                     static_cast<LanguageTarget*>(nullptr));
        return;
    }
    std::unique_lock lock(m_lock);
    std::erase(m_controllers, target);
}

void TDKLanguageManager::Reset() {
    if (applyingHere()) return;
    std::unique_lock lock(m_lock);
    m_languages.clear();
    m_constants.clear();
    m_languageId = DefaultLanguageID;
}

TDKLanguageManager& LangManager() {
    static TDKLanguageManager manager;
    return manager;
}

}  // namespace lt::i18n
