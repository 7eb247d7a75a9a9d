#include "form1.h"
#include "settings_file.h"

#include <QApplication>

using namespace Qt::Literals::StringLiterals;

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    // Names the per-user configuration folder, used when the program's own folder is read-only.
    QApplication::setApplicationName(u"Velmora"_s);

    // The window deletes itself when closed; the program ends when its last window closes.
    auto* form = new velmora::Form1(velmora::SettingsFilePath());
    form->show();
    return QApplication::exec();
}
