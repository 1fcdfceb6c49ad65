#include "i18n/langnames.h"

#include <QLocale>

namespace lt::i18n {

namespace {

struct PrimaryLanguage {
    int id;  // low 10 bits of an LCID
    QLocale::Language language;
};

// Primary language numbers of Windows locale identifiers.
constexpr PrimaryLanguage kPrimary[] = {
    {0x01, QLocale::Arabic},     {0x02, QLocale::Bulgarian},
    {0x03, QLocale::Catalan},    {0x04, QLocale::Chinese},
    {0x05, QLocale::Czech},      {0x06, QLocale::Danish},
    {0x07, QLocale::German},     {0x08, QLocale::Greek},
    {0x09, QLocale::English},    {0x0A, QLocale::Spanish},
    {0x0B, QLocale::Finnish},    {0x0C, QLocale::French},
    {0x0D, QLocale::Hebrew},     {0x0E, QLocale::Hungarian},
    {0x0F, QLocale::Icelandic},  {0x10, QLocale::Italian},
    {0x11, QLocale::Japanese},   {0x12, QLocale::Korean},
    {0x13, QLocale::Dutch},      {0x14, QLocale::NorwegianBokmal},
    {0x15, QLocale::Polish},     {0x16, QLocale::Portuguese},
    {0x18, QLocale::Romanian},   {0x19, QLocale::Russian},
    {0x1A, QLocale::Croatian},   {0x1B, QLocale::Slovak},
    {0x1C, QLocale::Albanian},   {0x1D, QLocale::Swedish},
    {0x1E, QLocale::Thai},       {0x1F, QLocale::Turkish},
    {0x20, QLocale::Urdu},       {0x21, QLocale::Indonesian},
    {0x22, QLocale::Ukrainian},  {0x23, QLocale::Belarusian},
    {0x24, QLocale::Slovenian},  {0x25, QLocale::Estonian},
    {0x26, QLocale::Latvian},    {0x27, QLocale::Lithuanian},
    {0x29, QLocale::Persian},    {0x2A, QLocale::Vietnamese},
    {0x2B, QLocale::Armenian},   {0x2D, QLocale::Basque},
    {0x2F, QLocale::Macedonian}, {0x36, QLocale::Afrikaans},
    {0x37, QLocale::Georgian},   {0x38, QLocale::Faroese},
    {0x39, QLocale::Hindi},      {0x3C, QLocale::Irish},
    {0x3E, QLocale::Malay},      {0x3F, QLocale::Kazakh},
    {0x41, QLocale::Swahili},    {0x43, QLocale::Uzbek},
    {0x45, QLocale::Bengali},    {0x46, QLocale::Punjabi},
    {0x47, QLocale::Gujarati},   {0x49, QLocale::Tamil},
    {0x4A, QLocale::Telugu},     {0x4B, QLocale::Kannada},
    {0x4E, QLocale::Marathi},    {0x52, QLocale::Welsh},
    {0x56, QLocale::Galician},
};

struct FullLocale {
    int lcid;
    QLocale::Language language;  // AnyLanguage: the primary language's
    QLocale::Territory territory;
};

// Whole identifiers that name a country, or a language other than their
// primary number's (Serbian and Bosnian share Croatian's number).
constexpr FullLocale kFull[] = {
    {0x0409, QLocale::AnyLanguage, QLocale::UnitedStates},
    {0x0809, QLocale::AnyLanguage, QLocale::UnitedKingdom},
    {0x0C09, QLocale::AnyLanguage, QLocale::Australia},
    {0x1009, QLocale::AnyLanguage, QLocale::Canada},
    {0x1809, QLocale::AnyLanguage, QLocale::Ireland},
    {0x0415, QLocale::AnyLanguage, QLocale::Poland},
    {0x0407, QLocale::AnyLanguage, QLocale::Germany},
    {0x0807, QLocale::AnyLanguage, QLocale::Switzerland},
    {0x0C07, QLocale::AnyLanguage, QLocale::Austria},
    {0x040C, QLocale::AnyLanguage, QLocale::France},
    {0x080C, QLocale::AnyLanguage, QLocale::Belgium},
    {0x0C0C, QLocale::AnyLanguage, QLocale::Canada},
    {0x100C, QLocale::AnyLanguage, QLocale::Switzerland},
    {0x0410, QLocale::AnyLanguage, QLocale::Italy},
    {0x040A, QLocale::AnyLanguage, QLocale::Spain},
    {0x0C0A, QLocale::AnyLanguage, QLocale::Spain},
    {0x080A, QLocale::AnyLanguage, QLocale::Mexico},
    {0x0416, QLocale::AnyLanguage, QLocale::Brazil},
    {0x0816, QLocale::AnyLanguage, QLocale::Portugal},
    {0x0413, QLocale::AnyLanguage, QLocale::Netherlands},
    {0x0813, QLocale::AnyLanguage, QLocale::Belgium},
    {0x0419, QLocale::AnyLanguage, QLocale::Russia},
    {0x0405, QLocale::AnyLanguage, QLocale::CzechRepublic},
    {0x041B, QLocale::AnyLanguage, QLocale::Slovakia},
    {0x040E, QLocale::AnyLanguage, QLocale::Hungary},
    {0x041D, QLocale::AnyLanguage, QLocale::Sweden},
    {0x0406, QLocale::AnyLanguage, QLocale::Denmark},
    {0x0414, QLocale::AnyLanguage, QLocale::Norway},
    {0x040B, QLocale::AnyLanguage, QLocale::Finland},
    {0x0422, QLocale::AnyLanguage, QLocale::Ukraine},
    {0x0402, QLocale::AnyLanguage, QLocale::Bulgaria},
    {0x0418, QLocale::AnyLanguage, QLocale::Romania},
    {0x041A, QLocale::AnyLanguage, QLocale::Croatia},
    {0x0424, QLocale::AnyLanguage, QLocale::Slovenia},
    {0x0425, QLocale::AnyLanguage, QLocale::Estonia},
    {0x0426, QLocale::AnyLanguage, QLocale::Latvia},
    {0x0427, QLocale::AnyLanguage, QLocale::Lithuania},
    {0x0408, QLocale::AnyLanguage, QLocale::Greece},
    {0x041F, QLocale::AnyLanguage, QLocale::Turkey},
    {0x0411, QLocale::AnyLanguage, QLocale::Japan},
    {0x0412, QLocale::AnyLanguage, QLocale::SouthKorea},
    {0x0804, QLocale::AnyLanguage, QLocale::China},
    {0x0404, QLocale::AnyLanguage, QLocale::Taiwan},
    {0x0439, QLocale::AnyLanguage, QLocale::India},
    {0x0447, QLocale::AnyLanguage, QLocale::India},
    {0x081A, QLocale::Serbian, QLocale::Serbia},
    {0x0C1A, QLocale::Serbian, QLocale::Serbia},
    {0x141A, QLocale::Bosnian, QLocale::BosniaAndHerzegowina},
};

}  // namespace

LocaleParts localeForId(int lcid) {
    LocaleParts parts;
    for (const auto& p : kPrimary)
        if (lcid > 0 && lcid <= 0xFFFF && (lcid & 0x3FF) == p.id) parts.language = p.language;
    for (const auto& f : kFull) {
        if (f.lcid != lcid) continue;
        if (f.language != QLocale::AnyLanguage) parts.language = f.language;
        parts.territory = f.territory;
    }
    return parts;
}

QString languageNameForId(int lcid) {
    const auto [language, territory] = localeForId(lcid);
    if (language == QLocale::AnyLanguage) return QString::number(lcid);
    const QString name = QLocale::languageToString(language);
    if (territory == QLocale::AnyTerritory) return name;
    return QStringLiteral("%1 (%2)").arg(name, QLocale::territoryToString(territory));
}

}  // namespace lt::i18n
