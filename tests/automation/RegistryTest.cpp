#include "automation/Registry.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using automation::AutomationError;
using automation::createObject;

namespace {

// The build's bin folder: the plugin and its registration, as installed beside the program.
const QString binDir = QStringLiteral(RUVENAL_BIN_DIR);

QString realPlugin() {
    QFile ini(QDir(binDir).filePath(QLatin1String(automation::registrationFileName)));
    if (!ini.open(QIODevice::ReadOnly))
        return {};
    const QString text = QString::fromUtf8(ini.readAll());
    return QDir(binDir).absoluteFilePath(text.section(QLatin1Char('='), 1).trimmed());
}

void write(const QString &path, const QByteArray &bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

struct Registration {
    const char *name;
    const char *ini; // nullptr: no registration file; %PLUGIN% stands for the real plugin's path
    const char *progId;
    const char *error; // the start of the expected error text
};

void PrintTo(const Registration &r, std::ostream *os) {
    *os << r.name;
}

class UnusableRegistration : public testing::TestWithParam<Registration> {};

TEST_P(UnusableRegistration, GivesNoObjectAndSaysWhy) {
    const Registration &r = GetParam();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    write(dir.filePath(QStringLiteral("nao-e-biblioteca.so")), "texto, não código");
    if (r.ini)
        write(dir.filePath(QLatin1String(automation::registrationFileName)),
              QByteArray(r.ini).replace("%PLUGIN%", realPlugin().toUtf8()));
    try {
        createObject(QLatin1String(r.progId), dir.path());
        FAIL() << "an object was created";
    } catch (const AutomationError &e) {
        EXPECT_TRUE(e.text().startsWith(QString::fromUtf8(r.error))) << e.what();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, UnusableRegistration,
    testing::Values(Registration{"NoFile", nullptr, "Bolix.ContaCorrente",
                                 "Classe não registrada: Bolix.ContaCorrente"},
                    Registration{"OtherSection", "[Outros]\nBolix.ContaCorrente=%PLUGIN%\n",
                                 "Bolix.ContaCorrente", "Classe não registrada"},
                    Registration{"UnknownProgId", "[ProgIDs]\nOutro.Objeto=%PLUGIN%\n", "Bolix.ContaCorrente",
                                 "Classe não registrada"},
                    Registration{"MissingPluginFile", "[ProgIDs]\nBolix.ContaCorrente=libsumiu.so\n",
                                 "Bolix.ContaCorrente", "Não foi possível carregar libsumiu.so"},
                    Registration{"NotALibrary", "[ProgIDs]\nBolix.ContaCorrente=nao-e-biblioteca.so\n",
                                 "Bolix.ContaCorrente", "Não foi possível carregar nao-e-biblioteca.so"},
                    // The plugin loads but serves only its own class.
                    Registration{"PluginRefusesProgId", "[ProgIDs]\nOutro.Objeto=%PLUGIN%\n", "Outro.Objeto",
                                 "Classe não registrada: Outro.Objeto"}),
    [](const testing::TestParamInfo<Registration> &info) { return std::string(info.param.name); });

TEST(Registry, BuildRegistersTheRealPluginAndItLoads) {
    ASSERT_FALSE(realPlugin().isEmpty()) << "no registration in " << binDir.toStdString();
    // ProgIDs match without regard to case, as on Windows.
    const automation::DispatchPtr obj = createObject(QStringLiteral("bolix.contacorrente"), binDir);
    ASSERT_TRUE(obj);
    EXPECT_EQ(obj->get(QStringLiteral("ArquivoRemessa")).type(), automation::Variant::Type::Object);
}

TEST(Registry, ErrorsRaisedInsideThePluginReachTheCallerWithTheirText) {
    const automation::DispatchPtr obj = createObject(QStringLiteral("Bolix.ContaCorrente"), binDir);
    try {
        obj->get(QStringLiteral("Inexistente"));
        FAIL() << "no error";
    } catch (const AutomationError &e) {
        EXPECT_TRUE(e.text().contains(QLatin1String("Inexistente"))) << e.what();
    }
}

} // namespace
