#pragma once
// The editor's prompts in the interface language: the questions and
// messages of the added commands are put into the current language before
// the prompts underneath show them. Texts that are no catalogue text (the
// fixed messages of the program's own commands, the system's reasons, file
// names) reach the operator as the commands wrote them.

#include "i18n/textcatalogue.h"
#include "model/prompts.h"

namespace lt::i18n {

class TranslatedPrompts : public Prompts {
public:
    /// Shows everything through `shown`, which must outlive this object.
    explicit TranslatedPrompts(Prompts& shown);

    bool confirm(const QString& question) override;
    Decision decide(const QString& question) override;
    void message(const QString& text) override;
    void warning(const QString& text) override;
    void note(const QString& text) override;
    SaveChoice askSaveChanges(const QString& question) override;
    QString openFile(const FileDialogSpec& request) override;
    QString saveFile(const FileDialogSpec& request) override;
    bool reviewChanges(const QString& summary, const QStringList& changes) override;

    const TextCatalogue& catalogue() const { return m_catalogue; }

private:
    Prompts& m_shown;
    TextCatalogue m_catalogue;
};

}  // namespace lt::i18n
