#pragma once
// The process-wide interface-language manager: the languages found in the
// program's folder, the current one, and the windows it translates.

#include "i18n/langfile.h"

#include <QList>
#include <QLocale>
#include <QString>

#include <shared_mutex>
#include <utility>
#include <vector>

namespace lt::i18n {

/// A window's language controller as the manager sees it.
class LanguageTarget {
public:
    virtual ~LanguageTarget() = default;
    /// The window's name, which selects its section in a language file.
    virtual QString languageWindowName() const = 0;
    /// Puts the section's texts on the window; entries the section lacks (all
    /// of them when `texts` is null) get their design texts back.
    virtual void applyTranslations(const WindowTexts* texts) = 0;
};

class TDKLanguageManager {
public:
    /// The language of the window definitions; it needs no file.
    static constexpr int DefaultLanguageID = 1033;

    TDKLanguageManager() = default;
    TDKLanguageManager(const TDKLanguageManager&) = delete;
    TDKLanguageManager& operator=(const TDKLanguageManager&) = delete;

    /// Passes every file (not folder) of `dir` matching `mask` to
    /// RegisterLangFile, in name order, descending into subfolders only when
    /// `recursive`; returns how many were accepted.
    int ScanForLangFiles(const QString& dir, const QString& mask, bool recursive);
    /// Accepts a file whose "LANGID" is a non-zero number and lists it unless
    /// it is the default language; a file for a listed language takes the
    /// earlier file's place. Unreadable or oversized files are not accepted.
    bool RegisterLangFile(const QString& fileName);

    /// Listed languages + 1; entry 0 is the default language.
    int GetLanguageCount() const;
    /// The identifier of entry `index`; the default language outside the list.
    int GetLanguageIDs(int index) const;
    /// The display name of entry `index`; empty outside the list.
    QString GetLanguageNames(int index) const;
    /// The file of entry `index`; empty for the default language.
    QString GetLanguageFiles(int index) const;
    /// The current language.
    int GetLanguageID() const;
    /// The language to start in on a desktop set to `locale`: the listed
    /// language of the same language and territory, else the first listed one
    /// of the same language; the default language when none is listed for it.
    int languageForLocale(const QLocale& locale) const;
    /// Makes `id` the current language (the default one when `id` is not
    /// listed) and translates every window. Returns an empty string on
    /// success, else the loading error; the current language then stays.
    QString SetLanguageID(int id);

    /// A constant of the current language file; empty when it has none.
    QString GetConstantValue(const QString& name) const;

    /// Registers a window that has just loaded (after its design texts were
    /// taken) and translates it to the current language. Returns the loading
    /// error when the current language's file cannot be read any more; the
    /// window then keeps its design texts.
    QString AddLanguageController(LanguageTarget* target);
    void RemoveLanguageController(LanguageTarget* target);

    /// Forgets the listed languages and constants and returns to the default
    /// language without touching the windows (a fresh start, as in tests).
    void Reset();

private:
    struct Language {
        int id;
        QString file;
    };

    bool applyingHere() const;
    void applyToControllers(const TranslationSet& set);

    mutable std::shared_mutex m_lock;  // guards the members below
    int m_languageId = DefaultLanguageID;
    QList<Language> m_languages;
    QList<std::pair<QString, QString>> m_constants;
    std::vector<LanguageTarget*> m_controllers;  // in the order the windows loaded
};

/// The single manager, made on first use.
TDKLanguageManager& LangManager();

}  // namespace lt::i18n
