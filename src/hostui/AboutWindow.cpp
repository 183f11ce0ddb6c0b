#include "hostui/AboutWindow.h"

#include "base/Host.h"
#include "core/PluginKonfig.h"
#include "core/Versions.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

namespace provozmat {

void showAboutWindow(const Host& host) {
    const TPluginKonfig& identity = pluginKonfig();
    const QString lines = identity.GetPluginVerejneJmeno() + u'\r' + identity.FPluginSystemoveJmeno + u'\r' +
                          versionText(TPluginKonfig::kVerzePluginu, 4) + u'\r' +
                          identity.FPluginCopyrightVyrobce;
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) {
        host.showMessage(lines);
        return;
    }
    QDialog dialog;
    dialog.setWindowTitle(identity.GetPluginVerejneJmeno());
    auto* layout = new QVBoxLayout(&dialog);
    QString html = lines;
    layout->addWidget(new QLabel(html.replace(u'\r', u'\n'), &dialog));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    layout->addWidget(buttons);
    dialog.exec();
}

} // namespace provozmat
