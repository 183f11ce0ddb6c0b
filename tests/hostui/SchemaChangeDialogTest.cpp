#include "hostui/SchemaChangeDialog.h"

#include <QApplication>
#include <QPushButton>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <memory>

using namespace provozmat;

namespace {

ZmenySchematu zmeny() {
    ZmenySchematu z;
    z.pridejKTabulce("T", "Nazev", "NVARCHAR(50) NULL -> NVARCHAR(100) NULL",
                     "ALTER TABLE T ALTER COLUMN Nazev NVARCHAR(100) NULL", PoradiPrikazu::Bezne);
    z.pridejKTabulce("T", kTriggerZnacka + "tr_T", "Trigger v databázi chybí", "CREATE TRIGGER tr_T ON T ...",
                     PoradiPrikazu::Konec);
    z.pridejKModulu("DBO.EP_X", "Uložená procedura tohoto názvu v databázi chybí",
                    "CREATE PROC ep_X AS SELECT 1");
    z.pridejKModulu("DBO.EP_X", kPravaZnacka + "Nastavení práv", "GRANT ALL ON DBO.EP_X TO PUBLIC");
    return z;
}

class SchemaChangeDialog : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        static int argc = 1;
        static char name[] = "hostui_tests";
        static char* argv[] = {name, nullptr};
        if (!QApplication::instance())
            application = std::make_unique<QApplication>(argc, argv);
    }
    static void TearDownTestSuite() { application.reset(); }
    static inline std::unique_ptr<QApplication> application;
};

QStringList texts(const QTreeWidgetItem* item) {
    QStringList out{item->text(0)};
    for (int i = 0; i < item->childCount(); ++i)
        for (const QString& line : texts(item->child(i)))
            out.append(QStringLiteral("  ") + line);
    return out;
}

TEST_F(SchemaChangeDialog, TreeShowsEveryChangeWithoutItsMarkAndCarriesItsStatements) {
    TsqAlterForm form("Nadpis", "Provozmat", "020020260826", zmeny());
    ASSERT_EQ(form.strom()->topLevelItemCount(), 1);
    const auto* root = form.strom()->topLevelItem(0);
    EXPECT_EQ(texts(root),
              QStringList({"Provozmat", "  T", "    Nazev", "      NVARCHAR(50) NULL -> NVARCHAR(100) NULL",
                           "    tr_T", "      Trigger v databázi chybí", "  DBO.EP_X",
                           "    Uložená procedura tohoto názvu v databázi chybí", "    Nastavení práv"}));
    EXPECT_TRUE(root->font(0).bold());
    EXPECT_EQ(root->child(0)->child(0)->child(0)->toolTip(0),
              "ALTER TABLE T ALTER COLUMN Nazev NVARCHAR(100) NULL");
    EXPECT_EQ(textZmen("Provozmat", zmeny()).split(u'\r'), texts(root));
}

TEST_F(SchemaChangeDialog, ButtonsRunOrRefuse) {
    TsqAlterForm run("", "Provozmat", "v", zmeny());
    run.provest()->click();
    EXPECT_EQ(run.result(), QDialog::Accepted);
    TsqAlterForm refuse("", "Provozmat", "v", zmeny());
    refuse.storno()->click();
    EXPECT_EQ(refuse.result(), QDialog::Rejected);
}

} // namespace
