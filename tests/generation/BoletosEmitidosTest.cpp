// The record of issued boletos: what a run hands to the component is kept as printed, with the numbers.
#include "tests/generation/GeracaoDeTeste.h"

#include "db/Connection.h"
#include "tests/support/LeituraPdf.h"

#include <QDir>
#include <QSysInfo>

namespace {

class BoletosEmitidosTest : public GeracaoDeTeste {
protected:
    QString pdf() const {
        const QStringList pdfs = QDir(destino.path()).entryList({QStringLiteral("*.pdf")});
        return pdfs.size() == 1 ? QDir(destino.path()).filePath(pdfs[0]) : QString();
    }
};

TEST_F(BoletosEmitidosTest, RegistraOsNumeradosComoImpressos) {
    cliente(1);
    cliente(2);
    cliente(3, {{"nome", "D'Ávila \"Filho\""}, {"uf", " "}});
    banco.receber({{"clientes_id", 1}});
    banco.receber({{"clientes_id", 2}});
    // The component prints whole cents, halves to the even one: 243,39 and 110,00 (100 + 10,005).
    banco.receber({{"clientes_id", 3}, {"valortotal", 243.3926}});
    banco.receber({{"clientes_id", 2}, {"valortotal", 10.005}});
    instalacao.ruvenal({"num_agencia=1584", "conta_corrente=210169", "identificacao_empresa=1234567",
                        "nossonumero=41", "valor_multa=2", "instrucao=Não receber após 30 dias"});
    estado.NumCaixa = 7;
    listaClientes();
    marca(*clientes, {1, 2, 3});
    controles.cbImprimir = true;
    // Answered "No": the numbers are written, so the boletos exist and are recorded.
    mensagens.respostas = {Mensagens::Resposta::Nao};

    gera();

    const ResultSet r =
        banco.conexao().abre(QStringLiteral("select * from ruvenal_boletos order by boleto_id"));
    ASSERT_EQ(r.linhas(), 3);
    const QString texto = leitura::texto(pdf(), 1) + leitura::texto(pdf(), 3);
    for (int i : {0, 2}) {
        const int cliente = i == 0 ? 1 : 3;
        EXPECT_EQ(r.valor(i, "tipo_sacado").texto(), u"C");
        EXPECT_EQ(r.valor(i, "codigo").inteiro(), cliente);
        EXPECT_EQ(r.valor(i, "banco").texto(), u"001");
        EXPECT_EQ(r.valor(i, "agencia").texto(), bolix.get(QStringLiteral("CodigoAgencia")).toText());
        EXPECT_EQ(r.valor(i, "convenio").texto(), u"1234567");
        for (const auto &[membro, coluna] : {std::pair{"NossoNumero", "nosso_numero"},
                                             {"NumeroDocumento", "numero_documento"},
                                             {"NomeSacado", "nome_sacado"},
                                             {"EstadoSacado", "estado_sacado"},
                                             {"EnderecoSacado", "endereco_sacado"}})
            EXPECT_EQ(r.valor(i, QLatin1String(coluna)).texto(), doc(i, membro)) << membro;
        EXPECT_EQ(r.valor(i, "numero_documento").texto(), numeroDocumento(cliente == 1 ? 1 : 3));
        EXPECT_EQ(r.valor(i, "vencimento").data(), hoje.addDays(10));
        EXPECT_EQ(r.valor(i, "emissao").data(), hoje);
        // Species RC (the default): the fine as a percentage.
        EXPECT_EQ(r.valor(i, "percentual_multa").dinheiro(), Money::deInteiro(2));
        EXPECT_EQ(r.valor(i, "instrucoes_caixa").texto(), u"Não receber após 30 dias");
        EXPECT_EQ(r.valor(i, "sequencia_remessa").inteiro(), 1);
        EXPECT_EQ(r.valor(i, "filial_id").inteiro(), 1);
        // The station: the computer and its till.
        EXPECT_EQ(r.valor(i, "estacao").texto(), QSysInfo::machineHostName());
        EXPECT_EQ(r.valor(i, "num_caixa").inteiro(), 7);
        // Bank 001 with a seven-digit convênio prints it before the sequence.
        EXPECT_EQ(r.valor(i, "nosso_numero_impresso").texto(),
                  QStringLiteral("1234567") + r.valor(i, "nosso_numero").texto());
        EXPECT_TRUE(texto.contains(r.valor(i, "nosso_numero_impresso").texto())) << texto.toStdString();
    }
    EXPECT_EQ(r.valor(2, "nome_sacado").texto(), u"D'Ávila \"Filho\"");
    // The value as printed.
    EXPECT_EQ(r.valor(0, "valor").texto(), u"100.00");
    EXPECT_EQ(r.valor(1, "valor").texto(), u"110.00");
    EXPECT_EQ(r.valor(2, "valor").texto(), u"243.39");
    EXPECT_TRUE(texto.contains(QStringLiteral("R$ 100,00")) && texto.contains(QStringLiteral("R$ 243,39")));
    EXPECT_TRUE(leitura::texto(pdf(), 2).contains(QStringLiteral("R$ 110,00")));
}

} // namespace
