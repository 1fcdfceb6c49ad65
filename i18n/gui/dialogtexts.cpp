#include "i18n/gui/dialogtexts.h"

namespace lt::i18n {

DialogPreviewButton::DialogPreviewButton(QObject* parent)
    : QObject(parent), m_hint(QStringLiteral("Preview")) {
    setObjectName(QStringLiteral("PreviewButton"));
}

DialogTexts::DialogTexts(const QString& name, FileDialogSpec* request, QObject* parent)
    : QObject(parent), m_spec(request ? request : &m_own), m_preview(new DialogPreviewButton(this)) {
    setObjectName(name);
}

}  // namespace lt::i18n
