#include "util/RegistroDeFalhas.h"
#include "util/Clock.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QStringList linhasDe(const QString &caminho) {
    QFile f(caminho);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    return QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

class RegistroDeFalhas : public testing::Test {
protected:
    void SetUp() override { Clock::fixar(QDateTime(QDate(2026, 7, 31), QTime(8, 5, 9))); }
    void TearDown() override { Clock::fixar(std::nullopt); }

    QString log() const { return QDir(pasta.path()).filePath(QStringLiteral("ruvenal.log")); }
    QTemporaryDir pasta;
};

TEST_F(RegistroDeFalhas, AcrescentaUmaLinhaComMomentoEtapaETexto) {
    registraFalha(pasta.path(), QStringLiteral("conexão"), QStringLiteral("Access denied"));
    // A text of several lines stays on one line of the log.
    registraFalha(pasta.path(), QStringLiteral("empresas"), QStringLiteral("primeira\r\nsegunda"));
    EXPECT_EQ(linhasDe(log()),
              (QStringList{QStringLiteral("2026-07-31 08:05:09 conexão: Access denied"),
                           QStringLiteral("2026-07-31 08:05:09 empresas: primeira  segunda")}));
}

TEST_F(RegistroDeFalhas, GuardaSoAsUltimasLinhas) {
    {
        QFile f(log());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        for (int i = 1; i <= LinhasDoRegistro + 50; ++i)
            f.write("antiga " + QByteArray::number(i) + '\n');
    }
    registraFalha(pasta.path(), QStringLiteral("etapa"), QStringLiteral("nova"));
    const QStringList linhas = linhasDe(log());
    ASSERT_EQ(linhas.size(), LinhasDoRegistro);
    EXPECT_EQ(linhas.first(), QStringLiteral("antiga 52"));
    EXPECT_EQ(linhas.last(), QStringLiteral("2026-07-31 08:05:09 etapa: nova"));
}

TEST(NaEtapa, NomeiaAEtapaMaisInternaEGuardaOTexto) {
    try {
        naEtapa(QStringLiteral("fora"), [] {
            naEtapa(QStringLiteral("dentro"), []() -> int { throw std::runtime_error("motivo"); });
        });
        FAIL() << "no error";
    } catch (const ErroNaEtapa &e) {
        EXPECT_EQ(e.etapa(), QStringLiteral("dentro"));
        EXPECT_EQ(e.texto(), QStringLiteral("motivo"));
    }
    EXPECT_EQ(naEtapa(QStringLiteral("ok"), [] { return 7; }), 7);
}

} // namespace
