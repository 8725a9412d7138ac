// Fuzzes the settings reader on any file content.
#include <cstddef>
#include <cstdint>

#include <QFile>
#include <QTemporaryDir>

#include "platform/APIINISystem.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static QTemporaryDir dir;
    const QString path = dir.path() + QStringLiteral("/fuzz.ini");
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return 0;
    file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    file.close();
    APIINISystem ini;
    ini.SetINIFile(path);
    const QString value =
        ini.INI_Read(QStringLiteral("Skin"), QStringLiteral("DefaultSkin"), QStringLiteral("d"));
    if (value.size() > APIINISystem::kMaxValueLength)
        __builtin_trap();
    ini.INI_Read(QStringLiteral("Normal"), QStringLiteral("TransColorR"), QStringLiteral("255"));
    return 0;
}
