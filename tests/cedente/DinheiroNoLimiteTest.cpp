#include "cedente/CampoDecimal.h"
#include "cedente/ConfiguracaoCedente.h"
#include "config/IniFile.h"
#include "tests/support/ErroDe.h"
#include "util/Regional.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <limits>

// Money at the top of its range, as a hand-edited or fuzzed sistema_zel.ini can hold it.
namespace {

constexpr std::int64_t maximo = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t minimo = std::numeric_limits<std::int64_t>::min();

class DinheiroNoLimite : public testing::Test {
protected:
    void SetUp() override { Regional::definir(Regional::brasileiro()); }

    IniFile ini(const QByteArray &ruvenal) {
        QFile f(pasta.filePath(QStringLiteral("sistema_zel.ini")));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("[Ruvenal]\r\n" + ruvenal);
        return IniFile(f.fileName());
    }

    QTemporaryDir pasta;
};

TEST_F(DinheiroNoLimite, CampoDecimalMostraOValorInteiroESemTrocarOSinal) {
    CampoDecimal campo(nullptr);
    const struct {
        std::int64_t unidades;
        const char *texto;
    } casos[] = {
        {maximo, "922337203685477,58"}, {minimo, "-922337203685477,58"}, {-49, "0,00"}, {12345, "1,23"}};
    for (const auto &c : casos) {
        campo.setValor(Money::deUnidades(c.unidades));
        EXPECT_EQ(campo.text(), QLatin1String(c.texto)) << c.unidades;
        EXPECT_EQ(campo.valor(), Money::deUnidades(c.unidades)) << c.unidades;
    }
}

TEST_F(DinheiroNoLimite, ValoresDoArquivoVoltamExatamenteAoArquivo) {
    const IniFile arquivo = ini("valor_juros=922337203685477,5807\r\nvalor_taxa=-922337203685477,5808\r\n"
                                "valor_multa=123456789012,3456\r\nsequencia_remessa=922337203685477\r\n");
    const ConfiguracaoCedente lido = CarregaConfiguracaoCedente(arquivo);
    EXPECT_EQ(lido.valorJuros, Money::deUnidades(maximo));
    EXPECT_EQ(lido.valorTaxa, Money::deUnidades(minimo));
    EXPECT_EQ(lido.sequenciaRemessa, Money::deInteiro(922337203685477));
    GravaConfiguracaoCedente(arquivo, lido);
    const ConfiguracaoCedente relido = CarregaConfiguracaoCedente(arquivo);
    EXPECT_EQ(relido.valorJuros, lido.valorJuros);
    EXPECT_EQ(relido.valorTaxa, lido.valorTaxa);
    EXPECT_EQ(relido.valorMulta, Money::deUnidades(1234567890123456));
    EXPECT_EQ(relido.sequenciaRemessa, lido.sequenciaRemessa);
    EXPECT_EQ(arquivo.lerTexto(QStringLiteral("Ruvenal"), QStringLiteral("valor_juros"), {}),
              QStringLiteral("922337203685477,5807"));
}

TEST_F(DinheiroNoLimite, ValoresForaDaFaixaSaoRecusados) {
    // A decimal beyond money is unconvertible and takes the default.
    EXPECT_EQ(CarregaConfiguracaoCedente(ini("valor_juros=922337203685477,58075\r\n")).valorJuros, Money());
    // A sequence that does not fit as money stops the reading: restarting it at 0 would repeat file numbers.
    EXPECT_EQ(
        erroDoPrograma([&] { CarregaConfiguracaoCedente(ini("sequencia_remessa=922337203685478\r\n")); }),
        QStringLiteral("O valor 922337203685478 ultrapassa o limite dos valores monetários."));
}

} // namespace
