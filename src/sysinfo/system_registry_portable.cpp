#include "memory_registry.h"
#include "system_registry.h"

#include <QStandardPaths>
#include <QStringList>

using namespace Qt::Literals::StringLiterals;

namespace velmora {

namespace {

// Well-known system-information programs of Linux desktops, the most complete first.
const QStringList kSystemInformationPrograms = {
    u"hardinfo2"_s,
    u"hardinfo"_s,
    u"kinfocenter"_s,
    u"cpu-x"_s,
};

} // namespace

std::unique_ptr<Registry> SystemRegistry()
{
    auto registry = std::make_unique<MemoryRegistry>();
    for (const QString& program : kSystemInformationPrograms) {
        const QString path = QStandardPaths::findExecutable(program);
        if (path.isEmpty())
            continue;
        // Stored the way Windows stores a path: ANSI bytes with their terminating zero.
        registry->SetValue(kHKeyLocalMachine, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH",
                           kRegSz, path.toLocal8Bit().toStdString() + '\0');
        break;
    }
    return registry;
}

} // namespace velmora
