#include "retorno/ArquivoRetorno.h"

#include "boleto/ObjetoBolix.h"
#include "tests/retorno/RetornoDeTeste.h"
#include "tests/support/RecordingDispatch.h"
#include "util/Erro.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// The text of the Erro that f raises; empty when none.
template <typename F> QString erroDe(F &&f) {
    try {
        f();
    } catch (const Erro &e) {
        return e.texto();
    }
    return {};
}

TEST(LinhasDoArquivo, TerminamEmCrLfOuCrLf) {
    const std::pair<QByteArray, QStringList> casos[] = {
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\nb", {"a", "b"}},
        {"a\rb\r", {"a", "b"}},
        {"a\r\n\r\nb", {"a", "", "b"}},
        {"a\n\rb", {"a", "", "b"}},
        {"", {}},
        {"\r\n", {""}},
    };
    for (const auto &[bytes, linhas] : casos)
        EXPECT_EQ(LinhasDoArquivo(bytes), linhas) << bytes.toStdString();
}

TEST(LinhasDoArquivo, LidasEmWindows1252) {
    EXPECT_EQ(LinhasDoArquivo("Jos\xe9\r\n"), QStringList{QStringLiteral("José")});
}

TEST(ModoDoRetorno, DebitoAutomaticoEmQualquerPosicaoEMaiusculas) {
    EXPECT_EQ(ModoDoRetorno(RetornoDebito({}).first()), ModoRetorno::Debito);
    EXPECT_EQ(ModoDoRetorno(QStringLiteral("DEBITO AUTOMATICO")), ModoRetorno::Debito);
    EXPECT_EQ(ModoDoRetorno(QStringLiteral("xx debito automatico")), ModoRetorno::Boleto);
    EXPECT_EQ(ModoDoRetorno(QStringLiteral("DEBITO  AUTOMATICO")), ModoRetorno::Boleto);
}

TEST(CaminhoDoRetorno, SemBrancosControlesNemAspas) {
    EXPECT_EQ(CaminhoDoRetorno(QStringLiteral(" \t\"/tmp/o'k.ret\"\r\n")), QStringLiteral("/tmp/ok.ret"));
    EXPECT_EQ(CaminhoDoRetorno(QStringLiteral("/a b/c.ret ")), QStringLiteral("/a b/c.ret"));
}

TEST(LeArquivoRetorno, LinhasModoEImpressao) {
    QTemporaryDir pasta;
    const QString caminho = pasta.filePath(QStringLiteral("r.ret"));
    QFile f(caminho);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    const QByteArray bytes = BytesDoRetorno(RetornoDebito({LinhaDebito("00001234", 100, "00")}));
    f.write(bytes);
    f.close();
    const ArquivoRetorno r = LeArquivoRetorno(caminho);
    EXPECT_EQ(r.linhas.size(), 3);
    EXPECT_EQ(r.modo, ModoRetorno::Debito);
    EXPECT_EQ(r.impressao, ImpressaoDoArquivo(bytes));
    EXPECT_NE(r.impressao, ImpressaoDoArquivo(bytes + "\r\n"));
}

TEST(LeArquivoRetorno, ArquivoVazioOuAusenteDizOQue) {
    QTemporaryDir pasta;
    const QString vazio = pasta.filePath(QStringLiteral("vazio.ret"));
    QFile f(vazio);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    EXPECT_EQ(erroDe([&] { LeArquivoRetorno(vazio); }),
              QStringLiteral("O arquivo retorno %1 está vazio.").arg(vazio));
    EXPECT_TRUE(erroDe([&] {
                    LeArquivoRetorno(pasta.filePath(QStringLiteral("nao.ret")));
                }).startsWith(QStringLiteral("Não foi possível ler o arquivo retorno")));
}

TEST(OcorrenciasDebito, ChaveValorMenosTaxaECodigo) {
    const auto o = OcorrenciasDebito(
        RetornoDebito({LinhaDebito("00001234", 12345, "00"), LinhaDebito("0000ABCD", 50, "01")}),
        Money::deCentavos(250));
    ASSERT_EQ(o.size(), 2u);
    EXPECT_EQ(o[0].chave, QStringLiteral("00001234"));
    // No date of the debit in positions 45 to 52: none kept.
    EXPECT_EQ(o[0].data, QString());
    EXPECT_EQ(o[0].pago, Money::deCentavos(12095));
    EXPECT_EQ(o[0].codigo, 0);
    EXPECT_EQ(o[0].origem, QStringLiteral("linha 2"));
    // Below the fee the amount is negative; the key is only checked once it matches.
    EXPECT_EQ(o[1].chave, QStringLiteral("0000ABCD"));
    EXPECT_EQ(o[1].pago, Money::deCentavos(-200));
    EXPECT_EQ(o[1].codigo, 1);
}

TEST(OcorrenciasDebito, DataDoDebito) {
    QString linha = LinhaDebito("00001234", 100, "00");
    linha.replace(44, 8, QStringLiteral("20260312"));
    EXPECT_EQ(OcorrenciasDebito(RetornoDebito({linha}), Money()).at(0).data, QStringLiteral("20260312"));
}

TEST(OcorrenciasDebito, ValorComBrancosNasPontas) {
    QString linha = LinhaDebito("00001234", 0, "00");
    linha.replace(52, 15, QStringLiteral("   12345       "));
    EXPECT_EQ(OcorrenciasDebito(RetornoDebito({linha}), Money()).at(0).pago, Money::deCentavos(12345));
}

TEST(OcorrenciasDebito, UmaOuDuasLinhasNaoTemDetalhe) {
    const QStringList tudo = RetornoDebito({});
    EXPECT_TRUE(OcorrenciasDebito(tudo.mid(0, 1), Money()).empty());
    EXPECT_TRUE(OcorrenciasDebito(tudo, Money()).empty());
}

TEST(OcorrenciasDebito, LinhaRuimNomeiaLinhaECampo) {
    const QString boa = LinhaDebito("00001234", 100, "00");
    QString letraNoValor = boa;
    letraNoValor[60] = u'X';
    QString letraNoCodigo = boa;
    letraNoCodigo[68] = u'A';
    QString valorEmBranco = boa;
    valorEmBranco.replace(52, 15, QString(15, u' '));
    const std::pair<QString, const char *> casos[] = {
        {boa.left(149),
         "Arquivo retorno, linha 3: a linha tem 149 posições; o retorno de débito automático tem "
         "150 em cada linha."},
        {boa + u' ', "Arquivo retorno, linha 3: a linha tem 151 posições; o retorno de débito automático tem "
                     "150 em cada linha."},
        {letraNoValor,
         "Arquivo retorno, linha 3: o valor (posições 53 a 67) \"00000000X000100\" não é um número."},
        {valorEmBranco, "Arquivo retorno, linha 3: o valor (posições 53 a 67) \"\" não é um número."},
        {letraNoCodigo,
         "Arquivo retorno, linha 3: o código de retorno (posições 68 e 69) \"0A\" não é um número."},
    };
    for (const auto &[linha, texto] : casos)
        EXPECT_EQ(erroDe([&] {
                      OcorrenciasDebito(RetornoDebito({boa, linha}), Money());
                  }),
                  QString::fromUtf8(texto));
}

TEST(CodIdDaChave, SoNumeroInteiro) {
    EXPECT_EQ(CodIdDaChave(QStringLiteral("0000001234"), QStringLiteral("linha 2")), 1234);
    EXPECT_EQ(CodIdDaChave(QStringLiteral("9999999999"), QStringLiteral("linha 2")), 9999999999LL);
    for (const char *chave : {"12AB", "123 ", " 123", "", "-1", "1234567890123456789"})
        EXPECT_EQ(
            erroDe([&] { CodIdDaChave(QString::fromLatin1(chave), QStringLiteral("ocorrência 4")); }),
            QStringLiteral("Arquivo retorno, ocorrência 4: \"%1\" não é um número válido para o campo codID.")
                .arg(QString::fromLatin1(chave)));
}

TEST(OcorrenciasBoleto, ComponenteCarregaEEntregaAsOcorrencias) {
    auto objeto = std::make_shared<RecordingDispatch>();
    auto colecao = objeto->child(QStringLiteral("OcorrenciasCobranca"));
    colecao->answer(QStringLiteral("Count"), 2);
    QList<automation::Variant> itens;
    for (auto [doc, valor] : {std::pair{"0000000007", 10000}, std::pair{"0000000008", 5050}}) {
        auto item = std::make_shared<RecordingDispatch>();
        item->answer(QStringLiteral("NumeroDocumento"), doc);
        item->answer(QStringLiteral("ValorPago"), automation::Currency{valor * 100});
        if (itens.isEmpty())
            item->answer(QStringLiteral("DataOcorrencia"), QStringLiteral("14/03/2026"));
        itens << automation::Variant(automation::DispatchPtr(item));
    }
    colecao->setItems(itens);

    const auto o = OcorrenciasBoleto(boleto::ObjetoBolix(objeto), Money::deCentavos(250));
    ASSERT_EQ(o.size(), 2u);
    EXPECT_EQ(o[0].chave, QStringLiteral("0000000007"));
    EXPECT_EQ(o[0].pago, Money::deCentavos(9750));
    EXPECT_EQ(o[1].pago, Money::deCentavos(4800));
    EXPECT_EQ(o[1].origem, QStringLiteral("ocorrência 2"));
    // The payment's own key: the date as yyyymmdd (none given, none kept) and the amount before the fee.
    EXPECT_EQ(o[0].data, QStringLiteral("20260314"));
    EXPECT_EQ(o[0].valorPago, Money::deCentavos(10000));
    EXPECT_EQ(o[1].data, QString());
    // Emptied before the component loads the file, counted after.
    const QStringList log = objeto->log();
    const auto posicao = [&](const char *entrada) { return log.indexOf(QString::fromLatin1(entrada)); };
    EXPECT_LT(posicao("call Clear()"), posicao("call CarregaArquivosRetorno()"));
    EXPECT_LT(posicao("call CarregaArquivosRetorno()"), posicao("get Count"));
    EXPECT_LT(posicao("get Count"), posicao("item 0"));
}

TEST(OcorrenciasBoleto, ErroDoComponenteSobe) {
    auto objeto = std::make_shared<RecordingDispatch>();
    objeto->child(QStringLiteral("OcorrenciasCobranca"));
    objeto->fail(QStringLiteral("CarregaArquivosRetorno"), QStringLiteral("Retorno sem trailer."));
    EXPECT_THROW(OcorrenciasBoleto(boleto::ObjetoBolix(objeto), Money()), automation::AutomationError);
}

} // namespace
