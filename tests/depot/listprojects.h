#pragma once
// Projects and file helpers shared by the destination list tests.
#include "model/defaults.h"
#include "model/records.h"

#include <QFile>
#include <QString>

#include <cstring>
#include <gtest/gtest.h>
#include <memory>

namespace lt::test {

inline QByteArray readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    ASSERT_EQ(f.write(bytes), bytes.size());
}

inline QByteArray bytesOf(const sDane& d) {
    return QByteArray(reinterpret_cast<const char*>(&d), sizeof d);
}

inline std::unique_ptr<sDane> defaultProject() {
    auto d = std::make_unique<sDane>();
    std::memset(static_cast<void*>(d.get()), 0, sizeof(sDane));
    NewDane(*d);
    return d;
}

/// A project whose views differ in every column, with texts that need
/// quoting, scripts beyond Latin-1, values the editor would never store and
/// fields filled to the last unit.
inline std::unique_ptr<sDane> variedProject() {
    auto d = defaultProject();
    d->Lang[1].Use = 1;
    StringToWideChar(QString::fromUtf8("हिन्दी"), d->Lang[1].Nazwa);
    for (int l = 1; l <= 2; ++l) {
        for (int v = 1; v <= ViewCount; ++v) {
            sWidok& w = widok(*d, l, v);
            w.use = (v % 3) != 0;
            w.Time = v % 100;
            w.TypWidoku = v % 4;
            w.BarX = 16 + v % 49;
            w.BarY = 12 + v % 13;
            StringToWideChar(QStringLiteral("Dest \"%1\", via A; B\nnext line").arg(v), w.NazwaKursu);
            sScreenImage* regions[] = {&w.Gorny, &w.Dolny, &w.Lewy};
            for (int r = 0; r < 3; ++r) {
                sScreenImage& s = *regions[r];
                s.FontSize = 4 + (v + r) % 29;
                s.Styl = (v + r) % 5;
                s.Ruch = (v + r) % 7;
                s.Speed = (v * 7 + r) % 101;
                s.X = (v * 13 + r) % 255 - 127;
                s.Y = (v + r) % 63 - 31;
                s.FontColor = (v + r) % 8;
                s.BackColor = (v + 3 + r) % 8;
                StringToWideChar(r == 0 ? QStringLiteral("Liberation Sans") : QStringLiteral("DejaVu Sans"),
                                 s.FontName);
            }
            StringToWideChar(QString::fromUtf8("%1 — नगर, \"x\"").arg(v), w.Gorny.Text);
            StringToWideChar(QStringLiteral(" spaced ; %1 ").arg(v), w.Dolny.Text);
            StringToWideChar(QString::number(v), w.Lewy.Text);
        }
    }
    // Values from a project made elsewhere: out of the editor's ranges, and a
    // text filling its whole field with no terminator.
    sWidok& odd = widok(*d, 1, 7);
    odd.Gorny.Styl = 9;
    odd.Gorny.FontSize = 0;
    odd.Dolny.FontColor = -1;
    odd.Time = 1000;
    for (char16_t& u : odd.Dolny.Text) u = u'x';
    for (char16_t& u : odd.NazwaKursu) u = u'n';
    // Control characters the editor's fields can hold, and a text that looks
    // like the escapes a workbook's XML uses.
    StringToWideChar(QStringLiteral("bell\a cr\r tab\t _x0041_ _x005F_"), widok(*d, 2, 8).Gorny.Text);
    return d;
}

}  // namespace lt::test
