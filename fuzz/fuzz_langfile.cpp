// Interface language file: any bytes (UTF-8, UTF-16 LE/BE with their marks,
// 8-bit without) decode and parse or give a loading error. Read from a file
// they load the same way, the quick identifier scan agrees with the full
// parse, a language manager registers and switches to them, and every
// decoded text written back the way files are written decodes to itself.

#include "fuzz/harness.h"
#include "i18n/langfile.h"
#include "i18n/langmanager.h"
#include "i18n/langnames.h"
#include "i18n/windowtexts.h"

#include <QFile>
#include <QTemporaryDir>

namespace {

struct Fixture {
    QTemporaryDir dir;

    Fixture() { lt::fuzz::ensureApp(); }
};

Fixture& fixture() {
    static Fixture f;
    return f;
}

void checkRoundTrip(const QString& text) {
    using namespace lt::i18n;
    LT_FUZZ_CHECK(decodeLangValue(trimLangLine(encodeLangValue(text))) == text);
}

int langFile(const std::uint8_t* data, std::size_t size) {
    using namespace lt::i18n;
    Fixture& f = fixture();
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));

    const QString text = decodeLangBytes(bytes);
    TranslationSet set;
    QString error;
    const bool parsed = parseTranslations(text, set, &error);
    LT_FUZZ_CHECK(parsed || !error.isEmpty());
    int id = 0;
    const bool hasId = langStrToInt(trimLangLine(set.param(QStringLiteral("LANGID"))), &id);
    if (parsed) {
        if (hasId) (void)languageNameForId(id);
        for (const auto& [name, value] : set.constants) checkRoundTrip(value);
        for (auto it = set.windows.cbegin(); it != set.windows.cend(); ++it) {
            const auto entries = textEntriesFor(it.key());
            for (const auto& [entry, value] : it.value()) {
                checkRoundTrip(value);
                for (const TextEntry& e : entries)
                    if (e.id == entry && isStringListProperty(QString::fromLatin1(e.property)))
                        (void)splitLangLines(value);
            }
        }
    }

    // The same bytes as a file in the program's folder.
    const QString path = f.dir.path() + QStringLiteral("/fuzz.lng");
    {
        QFile out(path);
        if (!out.open(QIODevice::WriteOnly)) return 0;
        out.write(bytes);
    }
    TranslationSet loaded;
    QString loadError;
    LT_FUZZ_CHECK(loadTranslationFile(path, loaded, &loadError) == parsed);
    const int scanned = readLangFileId(path);
    // The scan reads the parameters up to the first line starting with "[",
    // the full parse also those after a damaged section line; where the scan
    // finds an identifier it is the file's first one.
    LT_FUZZ_CHECK(!parsed || scanned == 0 || (hasId && scanned == id));

    TDKLanguageManager manager;
    LT_FUZZ_CHECK(manager.RegisterLangFile(path) == (scanned != 0));
    for (int i = 0; i < manager.GetLanguageCount(); ++i) (void)manager.GetLanguageNames(i);
    // A listed language loads when the file parses; a failed switch keeps
    // the language the manager had.
    const bool listed = scanned != 0 && scanned != TDKLanguageManager::DefaultLanguageID;
    const QString switchError = manager.SetLanguageID(scanned);
    LT_FUZZ_CHECK(switchError.isEmpty() == (!listed || parsed));
    const int now = manager.GetLanguageID();
    LT_FUZZ_CHECK(now == (listed && parsed ? scanned : TDKLanguageManager::DefaultLanguageID));
    for (const auto& [name, value] : loaded.constants) (void)manager.GetConstantValue(name);
    return 0;
}

}  // namespace

LT_FUZZ_TARGET("langfile", langFile)
