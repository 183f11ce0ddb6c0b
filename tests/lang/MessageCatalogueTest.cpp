#include "lang/MessageCatalogue.h"
#include "base/PluginError.h"
#include "lang/LanguageState.h"
#include "lang/Messages.h"

#include <gtest/gtest.h>

#include <QRegularExpression>

using namespace provozmat;

namespace {

QString str(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

// The parts of a text that a translation must keep: format directives, highlight marks and
// line breaks, in their order.
QStringList markers(std::u16string_view text) {
    static const QRegularExpression marker(QStringLiteral("%(\\d+:)?-?\\d*(\\.\\d+)?[sdufxg%]|\\x01|\\r"));
    QStringList found;
    for (auto it = marker.globalMatch(str(text)); it.hasNext();)
        found << it.next().captured();
    return found;
}

} // namespace

TEST(MessageCatalogue, HoldsEveryEntryAtItsIndex) {
    const auto catalogue = katalogHlasek();
    ASSERT_EQ(catalogue.size(), 173u);
    EXPECT_TRUE(catalogue[0].H.empty());
    EXPECT_EQ(catalogue[0].W, 5000000u);
    for (int i = 1; i <= kPosledniHlaska; ++i) {
        const TplgHlaska& entry = zaznamHlasky(i);
        EXPECT_EQ(entry.SelfIdent, i);
        EXPECT_EQ(entry.W, 5000000u + static_cast<unsigned>(i));
        EXPECT_FALSE(entry.H.empty()) << i;
        EXPECT_FALSE(entry.SK.empty()) << i;
    }
}

TEST(MessageCatalogue, SlovakKeepsTheMarkersOfTheCzech) {
    for (int i = 1; i <= kPosledniHlaska; ++i) {
        const TplgHlaska& entry = zaznamHlasky(i);
        EXPECT_EQ(markers(entry.SK), markers(entry.H)) << "entry " << i;
    }
}

TEST(MessageCatalogue, TextsAsTheCatalogueWritesThem) {
    struct Case {
        int index;
        const char16_t* czech;
        const char16_t* slovak;
    };
    const Case cases[] = {
        {1, u"OK", u"OK"},
        {2, u"Storno", u"Storno"},
        {3, u"Uložit změny ?", u"Uložiť zmeny ?"},
        {6, u"Opravdu si přejete smazat\x01 všechny \x01označené záznamy", nullptr},
        {8, u"Plugin vyžaduje minimální verzi Orvianu \x01%s\x01 !",
         u"Plugin vyžaduje minimálnu verziu Orvianu \x01%s\x01 !"},
        {59, u"Verze pluginu je nižší než verze v databázi!", nullptr},
        {69, u", dluh  %s Kč  ke dni  %s", nullptr},
        {147, u"Omezení je v databází vypnuto", nullptr},
        {172, u"Tento plugin nepodporuje automatickou odinstalaci.", nullptr},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(str(zaznamHlasky(c.index).H), QString::fromUtf16(c.czech)) << c.index;
        if (c.slovak) {
            EXPECT_EQ(str(zaznamHlasky(c.index).SK), QString::fromUtf16(c.slovak)) << c.index;
        }
    }
    EXPECT_TRUE(str(zaznamHlasky(48).H).contains(QStringLiteral("import.\r\rPokud")));
}

TEST(MessageCatalogue, GuidsAndForeignTextsOnlyWhereGiven) {
    struct Extra {
        const char16_t* guid;
        const char16_t* english;
        const char16_t* german;
    };
    const std::map<int, Extra> extras = {
        {1, {u"", u"OK", u"OK"}},
        {2, {u"", u"Cancel", u""}},
        {7, {u"", u"(none)", u""}},
        {11, {u"{B24F7317-2850-4E23-84C2-23759E2104BD}", u"", u""}},
        {12, {u"{E72DC09D-A06D-4712-B44E-40F8D4023DD9}", u"", u""}},
        {13, {u"{69B3748A-4A0D-4FAF-95DA-C5A86EAAF64C}", u"", u""}},
        {75, {u"", u"Author", u"Autor"}},
        {76, {u"", u"Creation date", u""}},
    };
    for (int i = 0; i <= kPosledniHlaska; ++i) {
        const TplgHlaska& entry = katalogHlasek()[static_cast<std::size_t>(i)];
        const auto it = extras.find(i);
        const Extra expected = it != extras.end() ? it->second : Extra{u"", u"", u""};
        EXPECT_EQ(str(entry.GUID), QString::fromUtf16(expected.guid)) << i;
        EXPECT_EQ(str(entry.E), QString::fromUtf16(expected.english)) << i;
        EXPECT_EQ(str(entry.D), QString::fromUtf16(expected.german)) << i;
    }
    EXPECT_EQ(str(zaznamHlasky(1).I), QStringLiteral("text na klávese OK"));
}

TEST(MessageCatalogue, RefusesIndexesOutsideTheCatalogue) {
    for (int index : {-1, 0, 173, 1000})
        EXPECT_THROW(zaznamHlasky(index), PluginError) << index;
    EXPECT_THROW(TplgJazyky().hlaska(0), PluginError);
    EXPECT_THROW(TplgJazyky().hlaska(173), PluginError);
}

TEST(MessageCatalogue, FindsTheEntryOfAMessageNumberText) {
    struct Case {
        const char* text;
        std::optional<int> index;
    };
    const Case cases[] = {
        {"5000059", 59},
        {"5000001", 1},
        {"5000172", 172},
        {"05000059", 59}, // leading zeros do not change the number
        {"0005000172", 172},
        {"4999999", std::nullopt},
        {"5000000", std::nullopt}, // the empty entry 0 is not searched
        {"5000173", std::nullopt},
        {" 5000059", std::nullopt},
        {"5000059 ", std::nullopt},
        {"+5000059", std::nullopt},
        {"-5000059", std::nullopt},
        {"5000059.0", std::nullopt},
        {"", std::nullopt},
        {"Chyba 5000059", std::nullopt},
        {"500005900000000000000000000000000000000", std::nullopt},
        {"18446744078709551675", std::nullopt}, // 5000059 more than 2^64: no wrap-around
    };
    for (const Case& c : cases)
        EXPECT_EQ(indexCislaHlasky(QString::fromLatin1(c.text)), c.index) << c.text;
    EXPECT_EQ(indexCislaHlasky(QStringLiteral("５０００００１")), std::nullopt); // full-width digits
}

TEST(MessageCatalogue, TranslatesAnExceptionTextThatIsAMessageNumber) {
    TplgJazyky::instance().reset();
    EXPECT_EQ(translatedExceptionText(QStringLiteral("5000059")),
              QStringLiteral("Verze pluginu je nižší než verze v databázi!"));
    for (const char* unchanged : {"4999999", "5000173", " 5000059", "Neznámá chyba"})
        EXPECT_EQ(translatedExceptionText(QString::fromUtf8(unchanged)), QString::fromUtf8(unchanged));
}
