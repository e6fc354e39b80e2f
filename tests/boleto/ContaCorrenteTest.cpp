// The component's object model as the program meets it: loaded from the real plugin through its
// registration and reached by member paths.
#include "boleto/ObjetoBolix.h"

#include "tests/support/ErroDe.h"

#include <gtest/gtest.h>

using automation::Currency;
using automation::Variant;
using boleto::ObjetoBolix;

namespace {

const QString pastaDoPrograma = QStringLiteral(RUVENAL_BIN_DIR);

enum class Tipo { Texto, Data, Inteiro, Booleano, Moeda };

// Per type: a value the caller may write, what reads back, and a value the member cannot use.
struct Amostra {
    Variant escrito, lido, recusado;
    Variant::Type tipoLido;
};

Amostra amostra(Tipo tipo) {
    switch (tipo) {
    case Tipo::Texto:
        return {Variant("Até o vencimento"), Variant("Até o vencimento"), Variant(automation::DispatchPtr()),
                Variant::Type::Text};
    case Tipo::Data:
        return {Variant("21/02/2025"), Variant("21/02/2025"), Variant("31/02/2025"), Variant::Type::Text};
    case Tipo::Inteiro:
        return {Variant(" 42"), Variant(42), Variant("doze"), Variant::Type::Int};
    case Tipo::Booleano:
        return {Variant(-1), Variant(true), Variant("talvez"), Variant::Type::Bool};
    case Tipo::Moeda:
        return {Variant("1234.5678"), Variant(Currency{12345678}), Variant("R$ 10"), Variant::Type::Currency};
    }
    return {};
}

struct Membro {
    const char *colecao; // empty: a member of the account; else of a new item of that collection
    const char *caminho;
    Tipo tipo;
};

void PrintTo(const Membro &m, std::ostream *os) {
    *os << m.colecao << (*m.colecao ? "." : "") << m.caminho;
}

class MembroDoBolix : public testing::TestWithParam<Membro> {
protected:
    ObjetoBolix bolix = ObjetoBolix::cria(pastaDoPrograma);

    ObjetoBolix alvo() const {
        const QString colecao = QLatin1String(GetParam().colecao);
        if (colecao.isEmpty())
            return bolix;
        return ObjetoBolix(bolix.call(colecao + QLatin1String(".Add")).toObject());
    }
};

TEST_P(MembroDoBolix, GuardaOValorNoTipoDeclaradoERecusaOQueNaoServe) {
    const ObjetoBolix objeto = alvo();
    const QString caminho = QLatin1String(GetParam().caminho);
    const Amostra a = amostra(GetParam().tipo);

    EXPECT_EQ(objeto.get(caminho).type(), a.tipoLido);
    objeto.set(caminho, a.escrito);
    EXPECT_EQ(objeto.get(caminho), a.lido);

    const QString erro = erroDe([&] { objeto.set(caminho, a.recusado); });
    EXPECT_TRUE(erro.contains(caminho.section(QLatin1Char('.'), -1))) << erro.toStdString();
    EXPECT_TRUE(erro.contains(a.recusado.describe())) << erro.toStdString();
    EXPECT_EQ(objeto.get(caminho), a.lido) << "a refused value must leave the old one";
}

INSTANTIATE_TEST_SUITE_P(
    Conta, MembroDoBolix,
    testing::Values(
        Membro{"", "ArquivoRemessa.Diretorio", Tipo::Texto},
        Membro{"", "ArquivoRemessa.Arquivo", Tipo::Texto}, Membro{"", "ArquivoRemessa.Layout", Tipo::Texto},
        Membro{"", "ArquivoRemessa.Sequencia", Tipo::Inteiro},
        Membro{"", "ArquivoRetorno.Layout", Tipo::Texto}, Membro{"", "ArquivoRetorno.Diretorio", Tipo::Texto},
        Membro{"", "ArquivoRetorno.Arquivo", Tipo::Texto}, Membro{"", "CodigoAgencia", Tipo::Texto},
        Membro{"", "NumeroContaCorrente", Tipo::Texto}, Membro{"", "CodigoCedente", Tipo::Texto},
        Membro{"", "OutroDadoConfiguracao1", Tipo::Texto}, Membro{"", "OutroDadoConfiguracao2", Tipo::Texto},
        Membro{"", "InicioNossoNumero", Tipo::Texto}, Membro{"", "FimNossoNumero", Tipo::Texto},
        Membro{"", "ProximoNossoNumero", Tipo::Texto}, Membro{"", "LocalPagamento", Tipo::Texto},
        Membro{"", "NaoUsarFatorVencimento", Tipo::Booleano},
        Membro{"", "PadroesBoleto.PadroesBoletoImpresso.ArquivoLogotipo", Tipo::Texto},
        Membro{"", "PadroesBoleto.PadroesBoletoImpresso.CaminhoImagensCodigoBarras", Tipo::Texto},
        Membro{"", "PadroesBoleto.PadroesBoletoImpresso.MargemSuperior", Tipo::Inteiro},
        Membro{"MeusDados", "Nome", Tipo::Texto}, Membro{"MeusDados", "Valor", Tipo::Texto}));

// Every document member, through a document that DocumentosCobranca.Add returned.
std::vector<Membro> membrosDoDocumento() {
    std::vector<Membro> membros;
    const auto doc = [&](const char *caminho, Tipo tipo) {
        membros.push_back({"DocumentosCobranca", caminho, tipo});
    };
    for (const char *m :
         {"NumeroDocumento", "NomeSacado", "CNPJSacado", "CPFSacado", "EnderecoSacado", "BairroSacado",
          "CidadeSacado", "EstadoSacado", "CepSacado", "TipoDocumentoCobranca", "InstrucaoCobranca3",
          "NossoNumero", "Aceite", "NumeroControle", "AgenciaDebito", "ContaCorrenteDebito",
          "PadroesBoleto.InstrucoesCaixa", "PadroesBoleto.Demonstrativo"})
        doc(m, Tipo::Texto);
    for (const char *m : {"DataDocumento", "DataVencimento", "DataProcessamento"})
        doc(m, Tipo::Data);
    for (const char *m :
         {"ValorDocumento", "ValorJurosDiaAtraso", "ValorMultaAtraso", "ValorDesconto",
          "ValorOutrosAcrescimos", "PercentualJurosDiaAtraso", "PercentualMultaAtraso", "PercentualDesconto"})
        doc(m, Tipo::Moeda);
    doc("DiasProtesto", Tipo::Inteiro);
    doc("BancoGeraNossoNumero", Tipo::Booleano);
    doc("BancoEmiteBoleto", Tipo::Booleano);
    return membros;
}

INSTANTIATE_TEST_SUITE_P(Documento, MembroDoBolix, testing::ValuesIn(membrosDoDocumento()));

INSTANTIATE_TEST_SUITE_P(Ocorrencia, MembroDoBolix,
                         testing::Values(Membro{"OcorrenciasCobranca", "ValorPago", Tipo::Moeda},
                                         Membro{"OcorrenciasCobranca", "NumeroDocumento", Tipo::Texto},
                                         Membro{"OcorrenciasCobranca", "NossoNumero", Tipo::Texto},
                                         Membro{"OcorrenciasCobranca", "CodigoMovimento", Tipo::Texto},
                                         Membro{"OcorrenciasCobranca", "DataOcorrencia", Tipo::Data},
                                         Membro{"OcorrenciasCobranca", "DataCredito", Tipo::Data},
                                         Membro{"OcorrenciasCobranca", "ValorDocumento", Tipo::Moeda}));

class Bolix : public testing::Test {
protected:
    ObjetoBolix bolix = ObjetoBolix::cria(pastaDoPrograma);
};

TEST_F(Bolix, NomesValemEmQualquerCaixa) {
    bolix.set(QStringLiteral("arquivoremessa.DIRETORIO"), Variant("/tmp/"));
    EXPECT_EQ(bolix.get(QStringLiteral("ArquivoRemessa.Diretorio")), Variant("/tmp/"));
}

TEST_F(Bolix, ArquivosComecamNoLayoutFebraban240) {
    // The program sets a remittance layout only for direct debit; otherwise this one stays.
    EXPECT_EQ(bolix.get(QStringLiteral("ArquivoRemessa.Layout")), Variant("FEBRABAN240"));
    EXPECT_EQ(bolix.get(QStringLiteral("ArquivoRetorno.Layout")), Variant("FEBRABAN240"));
}

TEST_F(Bolix, MembroDesconhecidoEhRecusadoComSeuNome) {
    for (const char *caminho :
         {"Inexistente", "ArquivoRemessa.Inexistente", "PadroesBoleto.PadroesBoletoImpresso.Inexistente"}) {
        const QString erro = erroDe([&] { bolix.get(QLatin1String(caminho)); });
        EXPECT_TRUE(erro.contains(QLatin1String("Inexistente"))) << caminho << ": " << erro.toStdString();
        EXPECT_FALSE(erroDe([&] { bolix.set(QLatin1String(caminho), Variant("x")); }).isEmpty()) << caminho;
    }
}

TEST_F(Bolix, MembrosSomenteLeituraRecusamEscrita) {
    for (const char *caminho :
         {"NumeroBanco", "ArquivoRemessa", "DocumentosCobranca", "OcorrenciasCobranca.Count"})
        EXPECT_TRUE(erroDe([&] {
                        bolix.set(QLatin1String(caminho), Variant("x"));
                    }).contains(QLatin1String("somente leitura")))
            << caminho;
}

TEST_F(Bolix, InteiroForaDeTrintaEDoisBitsEhRecusado) {
    EXPECT_FALSE(erroDe([&] {
                     bolix.set(QStringLiteral("ArquivoRemessa.Sequencia"), Variant(std::int64_t(1) << 31));
                 }).isEmpty());
    bolix.set(QStringLiteral("ArquivoRemessa.Sequencia"), Variant((std::int64_t(1) << 31) - 1));
}

TEST_F(Bolix, ColecaoAdicionaContaDaItensPorIndiceELimpa) {
    const ObjetoBolix docs(bolix.objeto(QStringLiteral("DocumentosCobranca")));
    for (const char *numero : {"0000000001", "0000000002", "0000000003"})
        ObjetoBolix(docs.call(QStringLiteral("Add")).toObject())
            .set(QStringLiteral("NumeroDocumento"), Variant(numero));

    EXPECT_EQ(docs.get(QStringLiteral("Count")), Variant(3));
    EXPECT_EQ(ObjetoBolix(docs.dispatch()->item(0).toObject()).get(QStringLiteral("NumeroDocumento")),
              Variant("0000000001"));
    EXPECT_EQ(ObjetoBolix(docs.call(QStringLiteral("Item"), {Variant(2)}).toObject())
                  .get(QStringLiteral("NumeroDocumento")),
              Variant("0000000003"));
    for (int fora : {-1, 3})
        EXPECT_TRUE(erroDe([&] {
                        bolix.item(QStringLiteral("DocumentosCobranca"), fora);
                    }).contains(QLatin1String("fora dos limites")));

    docs.call(QStringLiteral("Clear"));
    EXPECT_EQ(bolix.get(QStringLiteral("DocumentosCobranca.Count")), Variant(0));
    EXPECT_FALSE(erroDe([&] { bolix.item(QStringLiteral("DocumentosCobranca"), 0); }).isEmpty());
}

TEST_F(Bolix, CadaDocumentoTemSeusProprioPadroesEMeusDados) {
    const ObjetoBolix primeiro(bolix.call(QStringLiteral("DocumentosCobranca.Add")).toObject());
    const ObjetoBolix segundo(bolix.call(QStringLiteral("DocumentosCobranca.Add")).toObject());
    primeiro.set(QStringLiteral("PadroesBoleto.InstrucoesCaixa"), Variant("Não receber após o vencimento"));
    primeiro.call(QStringLiteral("MeusDados.Add"));

    EXPECT_EQ(segundo.get(QStringLiteral("PadroesBoleto.InstrucoesCaixa")), Variant(""));
    EXPECT_EQ(bolix.get(QStringLiteral("PadroesBoleto.InstrucoesCaixa")), Variant(""));
    EXPECT_EQ(segundo.get(QStringLiteral("MeusDados.Count")), Variant(0));
    EXPECT_EQ(bolix.get(QStringLiteral("MeusDados.Count")), Variant(0));
    EXPECT_EQ(primeiro.get(QStringLiteral("MeusDados.Count")), Variant(1));
}

TEST_F(Bolix, MetodoComArgumentosDemaisEhRecusado) {
    EXPECT_TRUE(erroDe([&] {
                    bolix.call(QStringLiteral("DocumentosCobranca.Clear"), {Variant(1)});
                }).contains(QLatin1String("argumento")));
    EXPECT_TRUE(erroDe([&] {
                    bolix.call(QStringLiteral("CodigoAgencia"), {Variant(1)});
                }).contains(QStringLiteral("não é um método")));
}

} // namespace
