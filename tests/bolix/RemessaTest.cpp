#include "ArquivosDeTeste.h"
#include "Exemplos.h"

#include "bolix/core/Boleto.h"
#include "bolix/core/ErroBolix.h"
#include "bolix/core/cnab/Registro.h"
#include "bolix/core/cnab/Remessa.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>

using namespace bolix;
using namespace arquivos;

namespace {

const QDateTime geracao(QDate(2025, 11, 20), QTime(10, 30, 15));

TEST(TextoBancario, MaiusculasSemAcentoEEmAscii) {
    EXPECT_EQ(textoBancario(u"José da Conceição, nº 5"), "JOSE DA CONCEICAO, NO 5");
    EXPECT_EQ(textoBancario(u"Ação\t€ À Ü"), "ACAO   A U");
    EXPECT_EQ(textoBancario(u"1ª ½ ÿ"), "1A 1 2 Y");
    EXPECT_EQ(textoBancario(u"1ª ½ ÿ€"), "1A 1 2 Y ");
}

class Remessa : public testing::Test {
protected:
    ContaConfigurada conta_ = exemplos::contaBancoDoBrasil();
    QList<Documento> docs_ = exemplos::tresDocumentos();
    QTemporaryDir dir_;
};

TEST_F(Remessa, Cnab240IgualAoArquivoDeReferencia) {
    ArquivoRemessa destino{dir_.path(), QStringLiteral("remessa.rem"), QStringLiteral("FEBRABAN240"), 42};
    const QString texto = gravaArquivoRemessa(conta_, docs_, destino, geracao);
    const QString caminho = dir_.filePath(QStringLiteral("remessa.rem"));
    EXPECT_EQ(texto, QStringLiteral("3 títulos gravados em ") + caminho);
    EXPECT_EQ(leArquivo(caminho), leArquivo(QStringLiteral(DADOS_BOLIX "/remessa240_bb.rem")));
}

TEST_F(Remessa, Cnab240CamposNasPosicoesDoLeiaute) {
    const QList<QByteArray> l = remessa240(conta_, docs_, 42, geracao);
    ASSERT_EQ(l.size(), 11); // 0, 1, P Q, P Q R, P Q, 5, 9
    for (const QByteArray &linha : l) {
        EXPECT_EQ(linha.size(), 240);
        EXPECT_EQ(linha, linha.toUpper());
    }
    confereCampos(
        l,
        {
            // file header: inscription, convênio 0014 carteira variação, branch and account with digits
            {1, 1, 8, "00100000"},
            {1, 18, 32, "212345678000195"},
            {1, 33, 52, "001234567001417000  "},
            {1, 53, 58, "015849"},
            {1, 59, 71, "0000002101696"},
            {1, 73, 102, "LOJA EXEMPLO LTDA             "},
            {1, 143, 157, "120112025103015"},
            {1, 158, 163, "000042"},
            // lot header
            {2, 1, 17, "00100011R01  045 "},
            {2, 184, 199, "0000004220112025"},
            // first title: P
            {3, 1, 17, "0010001300001P 01"},
            {3, 38, 57, "12345670000000041   "},
            {3, 58, 62, "11122"},
            {3, 63, 77, "0000004711     "},
            {3, 78, 85, "15122025"},
            {3, 86, 100, "000000000015000"},
            {3, 107, 117, "02A20112025"},
            {3, 118, 118, "3"},
            {3, 142, 142, "0"},
            {3, 196, 220, "0000004711               "},
            {3, 221, 229, "300103009"},
            // Q: payer without accents, CEP split in 5 + 3
            {4, 14, 14, "Q"},
            {4, 18, 33, "2011222333000181"},
            {4, 34, 73, "JOSE DA CONCEICAO                       "},
            {4, 114, 136, "JARDIM SAO LUIS04913010"},
            {4, 137, 153, "SAO PAULO      SP"},
            // second title: interest per day, discount until due date, protest, and R with the fine
            {5, 9, 14, "00003P"},
            {5, 86, 100, "000000000008990"},
            {5, 118, 141, "116122025000000000000033"},
            {5, 142, 165, "115122025000000000000050"},
            {5, 221, 223, "105"},
            {7, 9, 14, "00005R"},
            {7, 66, 89, "116122025000000000000200"},
            // third title: value rounded to cents, species "outros", monthly rate from the daily percentage
            {8, 86, 100, "000000000123457"},
            {8, 107, 108, "99"},
            {8, 118, 118, "2"},
            {8, 127, 141, "000000000000990"},
            {9, 18, 33, "1000012345678909"},
            // trailers: lot records including header and trailer, titles and total; file records
            {10, 1, 8, "00100015"},
            {10, 18, 46, "00000900000300000000000147447"},
            {11, 1, 8, "00199999"},
            {11, 18, 29, "000001000011"},
        });
}

// Caixa tells its two code sizes apart by the layout versions and the form of the code.
// The store keeps a CPF with its punctuation, which arrives as a CNPJ: the digits tell what it is.
TEST_F(Remessa, CpfPontuadoNoMembroDoCnpjSaiComoCpf) {
    QList<Documento> docs = docs_;
    docs[0].cnpjSacado = QStringLiteral("444.555.666-72");
    confereCampos(remessa240(conta_, docs, 42, geracao), {{4, 18, 33, "1000044455566672"}});
}

// Each new bank's remittance, compared whole with its reference file, and the places where the bank departs
// from FEBRABAN, as its manual gives them.
struct RemessaDoBanco {
    const char *exemplo;
    const char *arquivo;
    std::vector<Campo> campos;
};

void PrintTo(const RemessaDoBanco &r, std::ostream *os) {
    *os << r.exemplo;
}

class RemessaPorBanco : public testing::TestWithParam<RemessaDoBanco> {
protected:
    static ContaConfigurada conta() {
        const exemplos::ExemploBanco &e = exemplos::exemploBanco(GetParam().exemplo);
        return exemplos::configura(e, exemplos::conta(e));
    }
    static QList<Documento> documentos() {
        QList<Documento> docs = exemplos::tresDocumentos();
        for (Documento &d : docs)
            d.nossoNumero = d.nossoNumero.right(2);
        return docs;
    }
};

TEST_P(RemessaPorBanco, IgualAoArquivoDeReferencia) {
    QTemporaryDir dir;
    const ArquivoRemessa destino{dir.path(), QStringLiteral("remessa.rem"), QStringLiteral("FEBRABAN240"),
                                 42};
    gravaArquivoRemessa(conta(), documentos(), destino, geracao);
    EXPECT_EQ(leArquivo(dir.filePath(QStringLiteral("remessa.rem"))),
              leArquivo(QStringLiteral(DADOS_BOLIX "/") + QLatin1String(GetParam().arquivo)));
}

TEST_P(RemessaPorBanco, CamposNasPosicoesDoBanco) {
    const QList<QByteArray> l = remessa240(conta(), documentos(), 42, geracao);
    for (const QByteArray &linha : l)
        EXPECT_EQ(linha.size(), 240);
    confereCampos(l, GetParam().campos);
}

const RemessaDoBanco remessasPorBanco[] = {
    {"Itau",
     "remessa240_itau.rem",
     {
         {1, 33, 72, "                    00057 000000012345 7"}, // no convênio; 0 agência zeros conta DAC
         {1, 164, 171, "04000000"},
         {1, 226, 228, "000"},
         {2, 12, 17, "00030 "},
         {2, 54, 73, "00057 000000012345 7"},
         {3, 18, 37, "00057 000000012345 7"},
         {3, 38, 62, "109000000412        00000"}, // carteira, NN, DAC; then zeros for the codes
         {3, 63, 77, "0000004711     "},           // ten positions of document
         {3, 118, 118, "0"},
         {3, 142, 142, "0"},
         {3, 225, 240, "300000000000000 "},
         {4, 34, 73, "JOSE DA CONCEICAO                       "},
         // title 2 (fine, discount, juros as a value per day)
         {5, 118, 141, "016122025000000000000033"},
         {5, 142, 165, "015122025000000000000050"},
         // title 3: 0,33 % a day of 1.234,57 is 4,07 a day
         {8, 127, 141, "000000000000407"},
     }},
    {"Santander",
     "remessa240_santander.rem",
     {
         {1, 9, 72, "        2012345678000195404200000282033                         "},
         {1, 103, 132, "BANCO SANTANDER               "},
         {1, 152, 157, "      "},
         {1, 164, 171, "040     "},
         {2, 14, 16, "030"},
         {2, 34, 73, "                    404200000282033     "},
         {3, 18, 62, "4042 013000123 013000123   0000000000418511  "}, // NN + DV, tipo de cobrança 5
         {3, 225, 240, "03009           "},
         {10, 18, 29, "000009      "}, // the lot trailer holds its count alone
     }},
    {"Sicredi",
     "remessa240_sicredi.rem",
     {
         {1, 33, 72, "                    00165 0000000006238 "},
         {1, 164, 171, "08101600"},
         {2, 14, 16, "040"},
         {2, 54, 73, "00165 0000000006238 "},
         {3, 18, 62, "00165 0000000006238 252000412           11122"}, // 25/200041-2, carteira 1
     }},
    {"Banrisul",
     "remessa240_banrisul.rem",
     {
         {1, 33, 72, "1102900015046       01102 000601234567  "},
         {1, 164, 171, "04000000"},
         {2, 12, 16, "00020"},
         {2, 34, 53, "1102900015046       "},
         {3, 18, 62, "01102 000601234567  0000004146          11122"}, // NN 00000041.46, carteira 1
     }},
};

INSTANTIATE_TEST_SUITE_P(Bancos, RemessaPorBanco, testing::ValuesIn(remessasPorBanco),
                         [](const auto &info) { return std::string(info.param.exemplo); });

// A code or digit only the remittance's records carry: without it the boleto is made with the right bar
// code, and only the remittance is refused, naming the key, by the check asked before printing as by the
// file itself. Sicredi's CNAB 400 carries no DV and is written.
TEST(RemessaSemDadoSoDoArquivo, BoletoSaiESoARemessaERecusada) {
    const struct {
        const char *exemplo;
        std::function<void(Conta &)> tira;
        const char *recusa240, *recusa400;
    } casos[] = {
        {"Santander", [](Conta &c) { c.outroDadoConfiguracao2.clear(); },
         "OutroDadoConfiguracao2 não informado", "OutroDadoConfiguracao2 não informado"},
        {"Sicredi",
         [](Conta &c) {
             c.numeroContaCorrente = QStringLiteral("12345-6");
             c.codigoCedente = QStringLiteral("00623");
         },
         "CodigoCedente \"00623\" sem o dígito verificador", "aceita"},
    };
    const auto recusa = [](const std::function<void()> &grava) {
        try {
            grava();
        } catch (const ErroBolix &x) {
            return x.texto();
        }
        return QStringLiteral("aceita");
    };
    const ArquivoRemessa destino{{}, QStringLiteral("remessa.rem")};
    for (const auto &c : casos) {
        SCOPED_TRACE(c.exemplo);
        const exemplos::ExemploBanco &e = exemplos::exemploBanco(c.exemplo);
        Conta conta = exemplos::conta(e);
        c.tira(conta);
        ContaConfigurada configurada = exemplos::configura(e, conta);
        EXPECT_EQ(calculaBoleto(configurada, exemplos::documento(e)).codigoBarras,
                  QString::fromLatin1(e.codigoBarras));
        const QString arquivo =
            recusa([&] { remessa240(configurada, {exemplos::documento(e)}, 1, geracao); });
        EXPECT_TRUE(arquivo.startsWith(QString::fromUtf8(c.recusa240))) << arquivo.toStdString();
        EXPECT_EQ(recusa([&] { confereRemessa(configurada, destino); }), arquivo);
        configurada.configuracao.layout = 400;
        const QString cnab400 = recusa([&] { confereRemessa(configurada, destino); });
        EXPECT_TRUE(cnab400.startsWith(QString::fromUtf8(c.recusa400))) << cnab400.toStdString();
    }
}

// The headers and segment P carry the código do beneficiário's DV, not the DV of the account the store
// typed.
TEST(RemessaSicredi, DigitoDoCodigoDoBeneficiarioNaoDaConta) {
    const exemplos::ExemploBanco &e = exemplos::exemploBanco("Sicredi");
    Conta conta = exemplos::conta(e);
    conta.numeroContaCorrente = QStringLiteral("12345-6");
    conta.codigoCedente = QStringLiteral("00623-8");
    const QList<QByteArray> l =
        remessa240(exemplos::configura(e, conta), {exemplos::documento(e)}, 1, geracao);
    confereCampos(l, {{1, 53, 72, "00165 0000000006238 "},
                      {2, 54, 73, "00165 0000000006238 "},
                      {3, 18, 37, "00165 0000000006238 "}});
}

// What the bank does with a title left unpaid is the contract's: segment P 224-227.
TEST(Remessa240, BaixaOuDevolucaoPeloContrato) {
    ContaConfigurada c = exemplos::contaBancoDoBrasil();
    const auto baixa = [&] {
        return remessa240(c, {exemplos::tresDocumentos()[0]}, 1, geracao)[2].mid(223, 4);
    };
    EXPECT_EQ(baixa(), "1030");
    c.configuracao.diasBaixa = 90;
    EXPECT_EQ(baixa(), "1090");
    c.configuracao.codigoBaixa = 2;
    EXPECT_EQ(baixa(), "2000");
}

TEST(RemessaCaixa, VersaoEFormaDoCodigoPeloTamanhoDoCodigo) {
    const struct {
        const char *cedente, *versaoArquivo, *versaoLote, *codigo;
    } casos[] = {{"123456", "101", "060", "1234560             "},
                 {"1234567", "107", "067", "1234567             "}};
    for (const auto &c : casos) {
        SCOPED_TRACE(c.cedente);
        Conta conta;
        conta.codigoAgencia = QStringLiteral("1");
        conta.numeroContaCorrente = QStringLiteral("1234");
        conta.codigoCedente = QString::fromLatin1(c.cedente);
        conta.inicioNossoNumero = QStringLiteral("0");
        const ContaConfigurada caixa = configuraConta(conta, exemplos::configuracao(QStringLiteral("104")));
        const QList<QByteArray> l = remessa240(caixa, {}, 1, geracao);
        confereCampos(l, {{1, 1, 8, "10400000"},
                          {1, 33, 52, c.codigo},
                          {1, 164, 166, c.versaoArquivo},
                          {2, 14, 16, c.versaoLote},
                          {2, 34, 53, c.codigo}});
    }
}

TEST_F(Remessa, DebitoAutomaticoComNumeroDoDocumentoNasPosicoes3a10) {
    docs_[0].agenciaDebito = QStringLiteral("0123");
    docs_[0].contaCorrenteDebito = QStringLiteral("45.678-9");
    docs_[1].agenciaDebito = QStringLiteral("77");
    docs_[1].contaCorrenteDebito = QStringLiteral("1");
    docs_[1].numeroDocumento = QStringLiteral("123456789012");
    docs_.removeLast();
    ArquivoRemessa destino{dir_.path() + u'/', QStringLiteral("debito.rem"), QStringLiteral("debitocc"), 7};
    EXPECT_EQ(gravaArquivoRemessa(conta_, docs_, destino, geracao),
              QStringLiteral("2 títulos gravados em ") + dir_.filePath(QStringLiteral("debito.rem")));
    const QByteArray bytes = leArquivo(dir_.filePath(QStringLiteral("debito.rem")));
    EXPECT_EQ(bytes, leArquivo(QStringLiteral(DADOS_BOLIX "/remessa150_bb.rem")));
    EXPECT_TRUE(bytes.endsWith("\r\n"));
    QList<QByteArray> l = bytes.split('\n');
    ASSERT_EQ(l.takeLast(), "");
    ASSERT_EQ(l.size(), 4);
    for (QByteArray &linha : l) {
        EXPECT_TRUE(linha.endsWith('\r'));
        linha.chop(1);
        EXPECT_EQ(linha.size(), 150);
    }
    confereCampos(l, {
                         {1, 1, 2, "A1"},
                         {1, 3, 22, "1234567             "},
                         {1, 23, 42, "LOJA EXEMPLO LTDA   "},
                         {1, 43, 65, "001BANCO DO BRASIL S.A."},
                         {1, 66, 81, "2025112000000704"},
                         {1, 82, 98, "DEBITO AUTOMATICO"},
                         {2, 1, 10, "E000004711"},
                         {2, 27, 44, "0123456789        "},
                         {2, 45, 69, "2025121500000000001500003"},
                         {2, 70, 80, "0000004711 "},
                         {2, 150, 150, "0"},
                         {3, 3, 10, "56789012"},
                         {3, 27, 30, "0077"},
                         {3, 53, 67, "000000000008990"},
                         {4, 1, 24, "Z00000400000000000023990"},
                     });
}

TEST_F(Remessa, DocumentoRuimNaoDeixaArquivoPelaMetade) {
    const QString caminho = dir_.filePath(QStringLiteral("remessa.rem"));
    QFile anterior(caminho);
    ASSERT_TRUE(anterior.open(QIODevice::WriteOnly));
    anterior.write("anterior\r\n");
    anterior.close();
    docs_[2].cepSacado = QStringLiteral("0491");
    ArquivoRemessa destino{dir_.path(), QStringLiteral("remessa.rem"), {}, 1};
    try {
        gravaArquivoRemessa(conta_, docs_, destino, geracao);
        FAIL();
    } catch (const ErroBolix &e) {
        EXPECT_EQ(e.texto(),
                  QStringLiteral("Documento 0000004713: CepSacado \"0491\" inválido: informe os 8 dígitos."));
    }
    EXPECT_EQ(leArquivo(caminho), "anterior\r\n");
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files), QStringList{QStringLiteral("remessa.rem")});
}

TEST_F(Remessa, RecusasNomeiamDocumentoMembroOuCaminho) {
    const auto recusa = [&](QList<Documento> docs, ArquivoRemessa destino) -> QString {
        try {
            gravaArquivoRemessa(conta_, docs, destino, geracao);
        } catch (const ErroBolix &e) {
            return e.texto();
        }
        return QStringLiteral("aceito");
    };
    const ArquivoRemessa normal{dir_.path(), QStringLiteral("r.rem"), {}, 1};
    const ArquivoRemessa debito{dir_.path(), QStringLiteral("r.rem"), QStringLiteral("DebitoCC"), 1};
    QList<Documento> semCpf = docs_;
    semCpf[0].cnpjSacado = QStringLiteral("123");
    EXPECT_TRUE(recusa(semCpf, normal).startsWith(u"Documento 0000004711: CNPJSacado \"123\""));
    QList<Documento> especie = docs_;
    especie[1].tipoDocumentoCobranca = QStringLiteral("XYZ");
    EXPECT_TRUE(recusa(especie, normal).startsWith(u"Documento 0000004712: TipoDocumentoCobranca \"XYZ\""));
    const auto comDocumento = [&](auto muda) {
        QList<Documento> docs = docs_;
        muda(docs[1]);
        return recusa(docs, normal);
    };
    EXPECT_TRUE(comDocumento([](Documento &d) {
                    d.instrucaoCobranca3 = QStringLiteral("9");
                }).startsWith(u"Documento 0000004712: InstrucaoCobranca3 \"9\""));
    EXPECT_TRUE(comDocumento([](Documento &d) {
                    d.estadoSacado = QStringLiteral("São Paulo");
                }).startsWith(u"Documento 0000004712: EstadoSacado \"São Paulo\""));
    EXPECT_TRUE(comDocumento([](Documento &d) {
                    d.numeroControle = QString(26, u'7');
                }).startsWith(u"Documento 0000004712: NumeroControle"));
    EXPECT_TRUE(comDocumento([](Documento &d) {
                    d.valorDocumento = 1'000'000'000'000;
                }).startsWith(u"Documento 0000004712: ValorDocumento \"100000000.00\""));
    EXPECT_TRUE(comDocumento([](Documento &d) {
                    d.valorJurosDiaAtraso = -3'300;
                }).startsWith(u"Documento 0000004712: ValorJurosDiaAtraso \"-0.33\""));
    QList<Documento> foraDaFaixa = docs_;
    foraDaFaixa[0].nossoNumero = QStringLiteral("99999999999");
    EXPECT_TRUE(recusa(foraDaFaixa, normal).startsWith(u"Documento 0000004711: NossoNumero"));
    EXPECT_TRUE(recusa(docs_, debito).startsWith(u"Documento 0000004711: AgenciaDebito"));
    EXPECT_TRUE(recusa(docs_, {dir_.path(), QStringLiteral("r.rem"), QStringLiteral("CNAB400"), 1})
                    .contains(u"ArquivoRemessa.Layout \"CNAB400\""));
    const QString semPasta = dir_.filePath(QStringLiteral("falta/r.rem"));
    EXPECT_TRUE(recusa(docs_, {dir_.filePath(QStringLiteral("falta")), QStringLiteral("r.rem"), {}, 1})
                    .contains(semPasta));
    EXPECT_FALSE(QFile::exists(semPasta));
}

// What the program asks before it writes anything: every member the remittance would refuse, each with
// the remittance's own text.
TEST_F(Remessa, RecusasDoDocumentoSaoAsDaRemessaTodasDeUmaVez) {
    const ArquivoRemessa normal{dir_.path(), QStringLiteral("r.rem"), {}, 1};
    const auto textoDaRemessa = [&](const Documento &d, const ArquivoRemessa &destino) {
        try {
            gravaArquivoRemessa(conta_, {d}, destino, geracao);
        } catch (const ErroBolix &e) {
            return e.texto();
        }
        return QString();
    };
    Documento ruim = docs_[0];
    ruim.cnpjSacado = QStringLiteral("123");
    ruim.estadoSacado = QStringLiteral("São Paulo");
    ruim.cepSacado = QStringLiteral("0491");
    ruim.valorDocumento = 1'000'000'000'000;
    const QStringList recusas = recusasDoDocumento(ruim, QStringLiteral("FEBRABAN240"));
    ASSERT_EQ(recusas.size(), 4) << recusas.join(u'\n').toStdString();
    Documento soCnpj = docs_[0];
    soCnpj.cnpjSacado = ruim.cnpjSacado;
    EXPECT_EQ(recusas[0], textoDaRemessa(soCnpj, normal));
    EXPECT_TRUE(recusas[1].contains(u"EstadoSacado") && recusas[2].contains(u"CepSacado") &&
                recusas[3].contains(u"ValorDocumento"));
    EXPECT_TRUE(recusasDoDocumento(docs_[0], QStringLiteral("FEBRABAN240")).isEmpty());

    // Direct debit: the payer's account instead of the address.
    const QStringList debito = recusasDoDocumento(ruim, QStringLiteral("DebitoCC"));
    ASSERT_EQ(debito.size(), 3) << debito.join(u'\n').toStdString();
    EXPECT_EQ(debito[0], textoDaRemessa(docs_[0], {dir_.path(), QStringLiteral("r.rem"),
                                                   QStringLiteral("DebitoCC"), 1}));
    EXPECT_TRUE(debito[1].contains(u"ContaCorrenteDebito") && debito[2].contains(u"ValorDocumento"));
}

// Instruction 3 says how the protest days count; without days there is no protest.
TEST_F(Remessa, InstrucaoTresDaOCodigoDoProtesto) {
    const struct {
        const char *instrucao;
        int dias;
        const char *posicoes221a223;
    } casos[] = {{"", 5, "105"}, {"1", 5, "105"}, {"2", 5, "205"}, {"3", 5, "300"}, {"2", 0, "300"}};
    for (const auto &c : casos) {
        SCOPED_TRACE(c.instrucao);
        Documento d = docs_[0];
        d.instrucaoCobranca3 = QString::fromLatin1(c.instrucao);
        d.diasProtesto = c.dias;
        EXPECT_EQ(remessa240(conta_, {d}, 1, geracao)[2].mid(220, 3), c.posicoes221a223);
    }
}

TEST_F(Remessa, SemDocumentosGravaSoCabecalhosETrailers) {
    ArquivoRemessa destino{dir_.path(), QStringLiteral("vazia.rem"), {}, 3};
    EXPECT_EQ(gravaArquivoRemessa(conta_, {}, destino, geracao),
              QStringLiteral("0 títulos gravados em ") + dir_.filePath(QStringLiteral("vazia.rem")));
    const QList<QByteArray> l = remessa240(conta_, {}, 3, geracao);
    ASSERT_EQ(l.size(), 4);
    EXPECT_EQ(l[2].mid(17, 12), "000002000000");
    EXPECT_EQ(l[3].mid(17, 12), "000001000004");
}

} // namespace
