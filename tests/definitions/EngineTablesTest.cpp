// The five tables as the installation creates them, on the embedded engine: each rendered
// CREATE TABLE statement (and the foreign keys added after it) runs, and the server's catalog
// then reports the columns, types, defaults and constraints of the definitions, read the way the
// schema check reads them.

#include "DefinitionFixture.h"

#include "definitions/CompiledDefinitions.h"
#include "definitions/Constraints.h"
#include "definitions/CreateTable.h"
#include "definitions/Preparation.h"
#include "definitions/SqlTypes.h"

#include "tsql/exec/Database.h"
#include "tsql/exec/Session.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <set>
#include <string>
#include <variant>
#include <vector>

using namespace provozmat;
using namespace provozmat::test;

namespace {

using Row = std::vector<std::string>;

// Blanks, parentheses and brackets dropped and upper case: how the schema check compares a
// default, check or computed expression.
std::string comparable(std::string text) {
    std::string out;
    for (unsigned char ch : text)
        if (ch != ' ' && ch != '(' && ch != ')' && ch != '[' && ch != ']')
            out += static_cast<char>(std::toupper(ch));
    return out;
}

class EngineTables : public ::testing::Test {
protected:
    EngineTables() {
        session_ = std::make_unique<tsql::Session>(tsql::Database::open(":memory:"));
        pripravDefinice(d_, pluginOwner(), h_.host);
        for (int i = 1; i <= kPosledniTabulka; ++i)
            odvodConstrainty(*d_.tabulka(i));
    }

    void mustRun(const QString& batch) {
        const auto r = session_->run(batch.toStdString());
        ASSERT_EQ(r.firstError(), nullptr) << r.firstError()->text << "\n" << batch.toStdString();
    }

    std::vector<Row> rows(const std::string& batch) {
        const auto r = session_->run(batch);
        EXPECT_EQ(r.firstError(), nullptr) << r.firstError()->text << "\n" << batch;
        std::vector<Row> out;
        for (const auto& item : r.items)
            if (const auto* set = std::get_if<tsql::ResultSet>(&item))
                for (const auto& values : set->rows) {
                    Row row;
                    for (const auto& v : values)
                        row.push_back(v.toDisplayString());
                    out.push_back(row);
                }
        return out;
    }

    // Creates every table, then adds the foreign keys, as a fresh installation does.
    void install() {
        for (int i = 1; i <= kPosledniTabulka; ++i)
            mustRun(createTable(d_.tabulka(i), i));
        for (int i = 1; i <= kPosledniTabulka; ++i)
            for (const auto& c : d_.tabulka(i)->Constraints)
                if (c.Typ == coForeignKey)
                    mustRun(
                        QStringLiteral("ALTER TABLE %1 ADD CONSTRAINT %2 FOREIGN KEY (%3) REFERENCES %4 (%5)")
                            .arg(d_.tabulka(i)->JmenoSys, c.JmenoSys, c.VlastniAtributy, c.CiziTabulka,
                                 c.CiziAtributy));
    }

    PreparedHost h_;
    TplgDefinice d_ = zkompilovaneDefinice();
    std::unique_ptr<tsql::Session> session_;
};

TEST_F(EngineTables, ColumnsComeBackWithTheDefinitionsTypeTexts) {
    install();
    for (int i = 1; i <= kPosledniTabulka; ++i) {
        const TplgTabulkaDef& t = *d_.tabulka(i);
        SCOPED_TRACE(t.JmenoSys.toStdString());
        // The column's type text built from the catalog as the schema check builds it.
        std::map<std::string, std::string> inDatabase;
        std::map<std::string, std::string> computed;
        for (const Row& r : rows("SELECT syscolumns.name, systypes.name, "
                                 "COLUMNPROPERTY(sysobjects.id,syscolumns.name,'IsIdentity'), "
                                 "syscolumns.isnullable, syscolumns.prec, syscolumns.xprec, "
                                 "syscolumns.scale, syscolumns.iscomputed, "
                                 "ISNULL((SELECT text FROM syscomments WHERE syscomments.id = syscolumns.id "
                                 "AND syscomments.number = "
                                 "syscolumns.colid), '') FROM sysobjects JOIN syscolumns ON "
                                 "sysobjects.id=syscolumns.id JOIN systypes "
                                 "ON syscolumns.xusertype=systypes.xusertype WHERE sysobjects.xtype='U' AND "
                                 "sysobjects.name = N'" +
                                 t.JmenoSys.toStdString() + "'")) {
            std::string type = QString::fromStdString(r[1]).toUpper().toStdString();
            if (type.find("CHAR") != std::string::npos || type.find("BINARY") != std::string::npos)
                type += "(" + (r[4] == "-1" ? std::string("MAX") : r[4]) + ")";
            else if (type == "NUMERIC")
                type += "(" + r[5] + "," + r[6] + ")";
            if (r[2] == "1")
                type += " IDENTITY(1,1)";
            type += r[3] == "1" ? " NULL" : " NOT NULL";
            inDatabase[r[0]] = type;
            if (r[7] == "1")
                computed[r[0]] = comparable(r[8]);
        }
        std::map<std::string, std::string> defined;
        std::map<std::string, std::string> definedComputed;
        for (const auto& a : t.Atributy) {
            if (!jeTypAtributu(a.Typ) || (a.DalsiVlastnosti & kAtrJenVPohledu))
                continue;
            defined[a.JmenoSys.toStdString()] = textTypuAtributu(a).toStdString();
            if (!a.Pocitany.trimmed().isEmpty())
                definedComputed[a.JmenoSys.toStdString()] = comparable(a.Pocitany.toStdString());
        }
        EXPECT_EQ(inDatabase, defined);
        EXPECT_EQ(computed, definedComputed);
    }
}

TEST_F(EngineTables, ConstraintsComeBackUnderTheirNamesWithTheirTexts) {
    install();
    for (int i = 1; i <= kPosledniTabulka; ++i) {
        const TplgTabulkaDef& t = *d_.tabulka(i);
        SCOPED_TRACE(t.JmenoSys.toStdString());
        std::set<std::string> keys, foreignKeys;
        std::map<std::string, std::string> texts; // defaults and checks
        for (const auto& c : t.Constraints) {
            const std::string name = c.JmenoSys.toStdString();
            if (c.Typ == coPrimaryKey || c.Typ == coUnique)
                keys.insert(name);
            else if (c.Typ == coForeignKey)
                foreignKeys.insert(name);
            else if (c.Typ == coDefault)
                texts[name] = comparable(c.Vyraz.toStdString());
            else if (c.Typ == coCheck)
                texts[name] = comparable(c.Vyraz.toStdString());
        }
        const std::string table = "N'" + t.JmenoSys.toStdString() + "'";
        std::set<std::string> keysFound;
        for (const Row& r :
             rows("SELECT sysobjects.name, o2.name FROM sysobjects, sysobjects o2 WHERE "
                  "sysobjects.xtype IN('UQ','PK') AND o2.id = sysobjects.parent_obj AND o2.name IN(" +
                  table + ")"))
            keysFound.insert(r[0]);
        EXPECT_EQ(keysFound, keys);
        std::map<std::string, std::string> textsFound;
        for (const Row& r :
             rows("SELECT sysobjects.name,\rsyscomments.text,\rOBJECTPROPERTY(sysobjects.id,"
                  "'CnstIsDisabled'),\ro2.name\rFROM sysobjects,syscomments,sysobjects o2\rWHERE "
                  "sysobjects.id=syscomments.id\rAND sysobjects.xtype IN('D','C')\rAND "
                  "o2.id=sysobjects.parent_obj\rAND o2.name IN(" +
                  table + ")")) {
            // The server keeps a default inside one pair of parentheses, which the check strips.
            ASSERT_GE(r[1].size(), 2u);
            EXPECT_EQ(r[1].front(), '(');
            EXPECT_EQ(r[1].back(), ')');
            EXPECT_EQ(r[2], "0");
            textsFound[r[0]] = comparable(r[1].substr(1, r[1].size() - 2));
        }
        EXPECT_EQ(textsFound, texts);
        std::set<std::string> foreignFound;
        for (const Row& r : rows("SELECT OBJECTPROPERTY(constid,'CnstIsDisabled'), OBJECT_NAME(constid) FROM "
                                 "sysreferences JOIN sysobjects ON fkeyid=id WHERE name IN(" +
                                 table + ")")) {
            EXPECT_EQ(r[0], "0");
            foreignFound.insert(r[1]);
        }
        EXPECT_EQ(foreignFound, foreignKeys);
    }
}

TEST_F(EngineTables, DefaultsFillTheRowsTheTerminalWrites) {
    install();
    mustRun("INSERT INTO KTab_LCDTerminal7EK (Akce, DatumPor, IDZam) VALUES (10, GETDATE(), 1)");
    EXPECT_EQ(rows("SELECT ID, ZahajSdruzene FROM KTab_LCDTerminal7EK"), (std::vector<Row>{{"1", "0"}}));
}

} // namespace
