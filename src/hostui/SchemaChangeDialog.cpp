#include "hostui/SchemaChangeDialog.h"

#include "base/Host.h"
#include "core/PluginKonfig.h"
#include "definitions/Installation.h"
#include "lang/Messages.h"

#include <QApplication>
#include <QFont>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace provozmat {

namespace {

// The node's text without the mark that gives it its icon.
QString bezZnacky(const QString& text, const QString& znacka) {
    return text.startsWith(znacka) ? text.mid(znacka.size()) : text;
}

QTreeWidgetItem* uzel(QTreeWidgetItem* rodic, const QString& text, const QString& tip = {}) {
    auto* item = new QTreeWidgetItem(rodic, QStringList{text});
    if (!tip.isEmpty())
        item->setToolTip(0, tip);
    return item;
}

void pridejZmeny(QTreeWidgetItem* rodic, const std::vector<ZmenaSchematu>& zmeny, const QStyle* styl) {
    for (const auto& z : zmeny) {
        auto* item = uzel(rodic, bezZnacky(z.popis, kPravaZnacka), z.prikazy.join(QStringLiteral("\n")));
        item->setIcon(0, styl->standardIcon(z.popis.startsWith(kPravaZnacka) ? QStyle::SP_VistaShield
                                                                             : QStyle::SP_DialogApplyButton));
    }
}

} // namespace

TsqAlterForm::TsqAlterForm(const QString& nadpis, const QString& systemoveJmeno, const QString& verze,
                           const ZmenySchematu& zmeny, QWidget* parent)
    : QDialog(parent), strom_(new QTreeWidget(this)), provest_(new QPushButton(hlaska(43), this)),
      storno_(new QPushButton(hlaska(2), this)) {
    setWindowTitle(hlaska(39));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(
        new QLabel(nadpis.isEmpty() ? hlaska(36) : QString(nadpis).replace(u'\r', u'\n'), this));

    strom_->setHeaderHidden(true);
    const QStyle* styl = style();
    auto* koren = new QTreeWidgetItem(strom_, QStringList{systemoveJmeno});
    QFont tucne = koren->font(0);
    tucne.setBold(true);
    koren->setFont(0, tucne);
    for (const auto& t : zmeny.tabulky()) {
        auto* tabulka = uzel(koren, t.jmeno);
        tabulka->setIcon(0, styl->standardIcon(QStyle::SP_FileDialogDetailedView));
        for (const auto& o : t.objekty) {
            auto* objekt = uzel(tabulka, bezZnacky(o.jmeno, kTriggerZnacka));
            if (o.jmeno.startsWith(kTriggerZnacka))
                objekt->setIcon(0, styl->standardIcon(QStyle::SP_BrowserReload));
            pridejZmeny(objekt, o.zmeny, styl);
        }
    }
    for (const auto& m : zmeny.moduly()) {
        auto* modul = uzel(koren, m.jmeno);
        modul->setIcon(0, styl->standardIcon(QStyle::SP_FileIcon));
        pridejZmeny(modul, m.zmeny, styl);
    }
    strom_->expandAll();
    layout->addWidget(strom_, 1);

    auto* otazka = new QLabel(hlaska(40), this);
    QFont f = otazka->font();
    f.setBold(true);
    otazka->setFont(f);
    layout->addWidget(otazka);
    auto* zaloha = new QLabel(hlaska(41), this);
    zaloha->setFont(f);
    layout->addWidget(zaloha);

    auto* tlacitka = new QHBoxLayout;
    tlacitka->addWidget(new QLabel(verze, this));
    tlacitka->addStretch(1);
    tlacitka->addWidget(storno_);
    tlacitka->addWidget(provest_);
    layout->addLayout(tlacitka);
    provest_->setDefault(true);
    connect(provest_, &QPushButton::clicked, this, &QDialog::accept);
    connect(storno_, &QPushButton::clicked, this, &QDialog::reject);
    resize(640, 480);
}

QString textZmen(const QString& systemoveJmeno, const ZmenySchematu& zmeny) {
    QStringList radky{systemoveJmeno};
    const auto pridej = [&](int uroven, const QString& text) {
        radky.append(QString(uroven * 2, u' ') + text);
    };
    for (const auto& t : zmeny.tabulky()) {
        pridej(1, t.jmeno);
        for (const auto& o : t.objekty) {
            pridej(2, bezZnacky(o.jmeno, kTriggerZnacka));
            for (const auto& z : o.zmeny)
                pridej(3, bezZnacky(z.popis, kPravaZnacka));
        }
    }
    for (const auto& m : zmeny.moduly()) {
        pridej(1, m.jmeno);
        for (const auto& z : m.zmeny)
            pridej(2, bezZnacky(z.popis, kPravaZnacka));
    }
    return radky.join(u'\r');
}

bool potvrdZmeny(const Host& host, const QString& nadpis, const ZmenySchematu& zmeny) {
    const auto& identita = pluginKonfig();
    const QString verze = textVerze(TPluginKonfig::kVerzePluginu);
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return host.askYesNo((nadpis.isEmpty() ? hlaska(36) : nadpis) + QStringLiteral("\r\r") +
                             textZmen(identita.FPluginSystemoveJmeno, zmeny) + QStringLiteral("\r\r") +
                             hlaska(40));
    TsqAlterForm dialog(nadpis, identita.FPluginSystemoveJmeno, verze, zmeny);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace provozmat
