// sonorelle-reg: reads and writes string values of Sonorelle's registry store.
#include "platform/Registry.h"

#include <QCoreApplication>
#include <QStringList>
#include <QTextStream>

#include <cstdio>

namespace {

constexpr int usageError = 2;
constexpr int writeError = 1;

const char* const usage =
    "usage: sonorelle-reg get KEY VALUE\n"
    "       sonorelle-reg set KEY VALUE DATA\n"
    "KEY is a full key such as HKEY_LOCAL_MACHINE\\SOFTWARE\\Corvitane\\Sonorelle\n"
    "(HKLM and HKCU may stand for the hive); VALUE \"@\" is the key's default value.\n";

int usageFailure(QTextStream& err, const QString& problem)
{
    err << "sonorelle-reg: " << problem << '\n' << usage;
    return usageError;
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    const QStringList args = app.arguments().mid(1);

    if (args.size() == 1 && (args[0] == u"--help" || args[0] == u"-h")) {
        out << usage;
        return 0;
    }
    const QString command = args.value(0);
    const bool get = command == u"get" && args.size() == 3;
    const bool set = command == u"set" && args.size() == 4;
    if (!get && !set)
        return usageFailure(err, QStringLiteral("expected get KEY VALUE or set KEY VALUE DATA"));

    sonorelle::Hive hive = sonorelle::Hive::LocalMachine;
    QString key;
    if (!sonorelle::Registry::splitFullKey(args[1], &hive, &key))
        return usageFailure(err, QStringLiteral("%1 does not begin with HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER, "
                                                "HKLM or HKCU").arg(args[1]));

    sonorelle::Registry registry = sonorelle::Registry::fromEnvironment();
    if (get) {
        out << registry.ReadRegValue(hive, key, args[2]) << '\n';
        return 0;
    }
    QString error;
    if (!registry.WriteRegValue(hive, key, args[2], args[3], &error)) {
        err << "sonorelle-reg: " << error << '\n';
        return writeError;
    }
    return 0;
}
