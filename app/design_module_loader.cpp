#include "design_module_loader.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibrary>

std::variant<CreateDesignWindowsFunction, QString> LoadDesignModule() {
    const QString path =
        QDir(QCoreApplication::applicationDirPath())
            .filePath(QStringLiteral("../lib/vistamarq/modules/vistamarq-design.so"));
    QLibrary module(QDir::cleanPath(path));
    if (!module.load())
        return module.errorString();
    auto create =
        reinterpret_cast<CreateDesignWindowsFunction>(module.resolve(kCreateDesignWindows));
    if (!create)
        return module.errorString();
    return create;
}
