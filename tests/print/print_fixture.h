#pragma once
// Projects for the printing tests, made in code.

#include "model/defaults.h"
#include "model/records.h"

#include <QString>

#include <memory>

namespace lt::test {

/// A new project (every view unused) with the given name.
inline std::unique_ptr<sDane> newProject(const QString& name = QStringLiteral("Depot North")) {
    auto d = std::make_unique<sDane>();
    NewDane(*d);
    StringToWideChar(name, d->ProjName);
    return d;
}

/// Puts view (lang, n) in use with a view type and its three texts.
inline void setView(sDane& d, int lang, int n, int type, const QString& lewy, const QString& gorny,
                    const QString& dolny, bool use = true) {
    sWidok& w = widok(d, lang, n);
    w.TypWidoku = type;
    w.use = use ? 1 : 0;
    StringToWideChar(lewy, w.Lewy.Text);
    StringToWideChar(gorny, w.Gorny.Text);
    StringToWideChar(dolny, w.Dolny.Text);
}

inline void setLanguage(sDane& d, int lang, const QString& name, bool use) {
    StringToWideChar(name, d.Lang[lang - 1].Nazwa);
    d.Lang[lang - 1].Use = use ? 1 : 0;
}

/// Number of pages of a PDF file's bytes: its "/Type /Page" objects.
int pdfPageCount(const QByteArray& pdf);

}  // namespace lt::test
