// The record of issued boletos: what a run hands to the component is kept as printed, with the numbers.
#include "tests/generation/GeracaoDeTeste.h"

#include "db/Connection.h"
#include "tests/support/LeituraPdf.h"

#include <QDir>

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
    banco.receber({{"clientes_id", 3}, {"valortotal", 37.5}});
    instalacao.ruvenal({"num_agencia=1584", "conta_corrente=210169", "identificacao_empresa=1234567",
                        "nossonumero=41", "valor_multa=2", "instrucao=Não receber após 30 dias"});
    listaClientes();
    marca(*clientes, {1, 3});
    controles.cbImprimir = true;
    // Answered "No": the numbers are written, so the boletos exist and are recorded.
    mensagens.respostas = {Mensagens::Resposta::Nao};

    gera();

    const ResultSet r =
        banco.conexao().abre(QStringLiteral("select * from ruvenal_boletos order by boleto_id"));
    ASSERT_EQ(r.linhas(), 2);
    const QString texto = leitura::texto(pdf(), 1) + leitura::texto(pdf(), 2);
    for (int i = 0; i < 2; ++i) {
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
        EXPECT_TRUE(texto.contains(r.valor(i, "nosso_numero").texto())) << texto.toStdString();
    }
    EXPECT_EQ(r.valor(1, "nome_sacado").texto(), u"D'Ávila \"Filho\"");
    EXPECT_EQ(r.valor(0, "valor").dinheiro(), Money::deInteiro(100));
    EXPECT_EQ(r.valor(1, "valor").dinheiro(), Money::deCentavos(3750));
    EXPECT_TRUE(texto.contains(QStringLiteral("R$ 100,00")) && texto.contains(QStringLiteral("R$ 37,50")));
}

} // namespace
