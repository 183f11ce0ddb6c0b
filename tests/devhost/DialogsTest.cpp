// The dialogs behind ShowMessage, ShowError and the questions: the scripted queue that tests
// use, and how host texts with \r line breaks and char(1) highlights are rendered.

#include "HostFixture.h"

#include "devhost/HostText.h"
#include "devhost/PrintingDialogs.h"
#include "ov/ErrorInfo.h"

#include <sstream>

namespace devhost::test {
namespace {

class Dialogs : public HostFixture {};

TEST_F(Dialogs, ExpectedDialogsAreAnsweredInOrderAndRecorded) {
    dialogs.expectMessage(QStringLiteral("počítače"))
        .expectYesNo(true)
        .expectYesNo(false)
        .expectYesNoCancel(YesNoCancel::Yes)
        .expectYesNoCancel(YesNoCancel::No)
        .expectYesNoCancel(YesNoCancel::Cancel)
        .expectError();
    auto orvian = host();
    EXPECT_EQ(orvian->ShowMessage(bstr("Název počítače musí být vyplněn.").get()), ov::S_OK);
    ov::WordBool yes = 0;
    orvian->AskYesNo(bstr("Smazat?").get(), 0, &yes);
    EXPECT_TRUE(ov::fromWordBool(yes));
    orvian->AskYesNo(bstr("Smazat?").get(), 0, &yes);
    EXPECT_FALSE(ov::fromWordBool(yes));
    for (const std::uint8_t expected : {6, 7, 2}) {
        std::uint8_t answer = 0;
        ASSERT_EQ(orvian->AskYesNoCancel(bstr("Uložit změny ?").get(), &answer), ov::S_OK);
        EXPECT_EQ(answer, expected);
    }
    EXPECT_EQ(orvian->ShowError(bstr("Chyba \x01X\x01 !").get()), ov::S_OK);
    EXPECT_EQ(dialogs.shown().size(), 7u);
    EXPECT_EQ(dialogs.texts(DialogKind::Error).front().toStdString(), "Chyba \x01X\x01 !");
}

TEST(ScriptedDialogQueue, ADialogNobodyExpectedFailsTheCallAndIsReported) {
    ScriptedDialogs scripted;
    RecordingWindows windows;
    auto workstation =
        Workstation::create(tsql::Database::open(":memory:"), HostSettings{}, scripted, windows);
    auto orvian = workstation->orvian(workstation->openBrowse(kEmployeeBrowse), 0);

    EXPECT_TRUE(ov::failed(orvian->ShowError(bstr("Neočekávaná chyba").get())));
    EXPECT_NE(ov::utf16ToUtf8(ov::takeErrorText()).find("Neočekávaná chyba"), std::string::npos);
    scripted.expectYesNo(true);
    ov::WordBool yes = 0;
    EXPECT_TRUE(ov::failed(orvian->ShowMessage(bstr("Hotovo").get()))); // a question was expected
    ov::clearErrorText();
    ASSERT_EQ(scripted.unexpected().size(), 2u);
    EXPECT_TRUE(scripted.unexpected()[1].contains(QStringLiteral("yes/no question was expected")));
    EXPECT_EQ(orvian->AskYesNo(bstr("Pokračovat?").get(), 0, &yes), ov::S_OK);
}

TEST(HostTexts, LineBreaksAndHighlightsRender) {
    const struct {
        const char* text;
        const char* plain;
        const char* rich;
    } cases[] = {
        {"Řádek 1\rŘádek 2", "Řádek 1\nŘádek 2", "Řádek 1<br>Řádek 2"},
        {"a\r\nb", "a\nb", "a<br>b"},
        {"Hodnota \x01"
         "12 & 3\x01 !",
         "Hodnota »12 & 3« !", "Hodnota <b>12 &amp; 3</b> !"},
        {"\x01open", "»open«", "<b>open</b>"},
        {"", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(plainHostText(QString::fromUtf8(c.text)).toStdString(), c.plain);
        EXPECT_EQ(richHostText(QString::fromUtf8(c.text)).toStdString(), c.rich);
    }
}

TEST(PrintingDialogQueue, WritesEachDialogAndAnswersNo) {
    std::ostringstream out;
    PrintingDialogs printing(out);
    printing.showError(QStringLiteral("Chyba\r\x01") + QStringLiteral("X") + QChar(1));
    EXPECT_FALSE(printing.askYesNo(QStringLiteral("Smazat?"), true));
    EXPECT_EQ(printing.askYesNoCancel(QStringLiteral("Uložit?")), YesNoCancel::Cancel);
    EXPECT_EQ(out.str(), "[error]\n  Chyba\n  »X«\n[question (answered no)]\n  Smazat?\n"
                         "[question (answered cancel)]\n  Uložit?\n");
}

} // namespace
} // namespace devhost::test
