// The bank's Pix QR in Itaú's and Santander's CNAB 400: the remittance that asks for it compared whole, the
// return's Pix records read into the occurrences, and the payments through the QR settled once.

#include "ArquivosDeTeste.h"
#include "Exemplos.h"

#include "bolix/core/Boleto.h"
#include "bolix/core/ErroBolix.h"
#include "bolix/core/cnab/Registro.h"
#include "bolix/core/cnab/Remessa.h"
#include "bolix/core/cnab/Retorno.h"
#include "bolix/core/pix/BrCode.h"
#include "bolix/simulador/Simulador.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

using namespace bolix;
using namespace arquivos;

namespace {

const QDateTime geracao(QDate(2025, 11, 20), QTime(10, 30, 15));
const QDate pagamento(2025, 12, 10);
const QString cobrancaDoSimulador = QStringLiteral("pix.simulador.invalid/qr/v2/cobv/");

ContaConfigurada itauComPix(const QString &chave) {
    ContaConfigurada c = exemplos::contaItau();
    c.configuracao.pix = true;
    c.configuracao.chavePix = chave;
    return c;
}

ContaConfigurada santanderComPix() {
    ContaConfigurada c = exemplos::contaSantander();
    c.configuracao.pix = true;
    c.configuracao.chavePix = QStringLiteral("12345678000195");
    c.configuracao.tipoChavePix = QStringLiteral("2");
    c.configuracao.cidadeBeneficiario = QStringLiteral("Curitiba");
    return c;
}

QByteArray gravada(const ContaConfigurada &conta, const QList<Documento> &docs) {
    QTemporaryDir dir;
    gravaArquivoRemessa(
        conta, docs, {dir.path(), QStringLiteral("remessa.rem"), QStringLiteral("FEBRABAN240"), 42}, geracao);
    return leArquivo(dir.filePath(QStringLiteral("remessa.rem")));
}

// Titles 1 and 2 paid (2, even, through the QR), title 3's entry confirmed with its QR.
simulador::Pedido doisPagos() {
    simulador::Pedido p;
    p.todosPagos = false;
    p.pagos = {1, 2};
    return p;
}

QList<QByteArray> retorno(const ContaConfigurada &conta, const QList<Documento> &docs) {
    return simulador::retornoDaRemessa(junta(remessa400(conta, docs, 1, geracao)), doisPagos(), pagamento);
}

// Read as "Ler Arquivo" reads it: through the account, which gives the payee's name and city.
QList<Ocorrencia> le(const QList<QByteArray> &linhas, const ContaConfigurada &conta) {
    QTemporaryDir dir;
    const QString caminho = dir.filePath(QStringLiteral("CB0101.ret"));
    gravaLinhas(caminho, linhas);
    return leRetornoCobranca(caminho, conta);
}

QString recusa(const QList<QByteArray> &linhas, const ContaConfigurada &conta) {
    try {
        le(linhas, conta);
    } catch (const ErroBolix &e) {
        return e.texto();
    }
    return QStringLiteral("aceito");
}

int pagamentos(const QList<Ocorrencia> &o) {
    return int(std::count_if(o.cbegin(), o.cend(), [](const Ocorrencia &x) { return x.pagamento(); }));
}

TEST(PixItau400, RemessaComMovimento71ERegistro3DaChave) {
    const ContaConfigurada conta = itauComPix(QStringLiteral("7f6c2a10-3b1e-4c5d-9a8b-0c1d2e3f4a5b"));
    EXPECT_EQ(gravada(conta, exemplos::tresDocumentos()),
              leArquivo(QStringLiteral(DADOS_BOLIX "/remessa400_itau_pix.rem")));
    const QList<QByteArray> l = remessa400(conta, exemplos::tresDocumentos(), 42, geracao);
    ASSERT_EQ(l.size(), 9);
    // Record 3 after the title's other records (the second title's fine, record 2).
    QByteArray tipos;
    for (const QByteArray &r : l)
        tipos += r[0];
    EXPECT_EQ(tipos, "013123139");
    confereCampos(l, {{2, 109, 110, "71"},
                      {4, 109, 110, "71"},
                      {7, 109, 110, "71"},
                      {3, 1, 37, "37f6c2a10-3b1e-4c5d-9a8b-0c1d2e3f4a5b"},
                      {3, 395, 400, "000003"},
                      {9, 395, 400, "000009"}});
    EXPECT_EQ(l[2].mid(37, 357), QByteArray(357, ' '));
    // Without a key the account's CNPJ key is the bank's choice: only the movement asks for the QR.
    const QList<QByteArray> semChave = remessa400(itauComPix({}), exemplos::tresDocumentos(), 42, geracao);
    ASSERT_EQ(semChave.size(), 6);
    EXPECT_EQ(semChave[1].mid(108, 2), "71");
    EXPECT_EQ(semChave[3].left(1), "2");
}

// The key goes as typed where the rest of the record is upper case: a random key in lower case, as the
// DICT keeps it, an e-mail as registered.
TEST(PixCnab400, ChaveComoDigitada) {
    const struct {
        const char *tipo, *chave;
    } chaves[] = {{"5", "7f6c2a10-3b1e-4c5d-9a8b-0c1d2e3f4a5b"}, {"4", "Financeiro@Loja.com.br"}};
    const QList<Documento> um{exemplos::documentosBradesco().first()};
    for (const auto &k : chaves) {
        SCOPED_TRACE(k.chave);
        const QByteArray campo = QByteArray(k.chave).leftJustified(77, ' ');
        const QList<QByteArray> itau = remessa400(itauComPix(QString::fromLatin1(k.chave)), um, 42, geracao);
        ASSERT_EQ(itau.size(), 4);
        EXPECT_EQ(itau[2].first(78), '3' + campo);
        ContaConfigurada santander = santanderComPix();
        santander.configuracao.chavePix = QString::fromLatin1(k.chave);
        santander.configuracao.tipoChavePix = QString::fromLatin1(k.tipo);
        const QList<QByteArray> s = remessa400(santander, um, 42, geracao);
        ASSERT_EQ(s.size(), 4);
        EXPECT_EQ(s[2].first(120).sliced(42), k.tipo + campo);
    }
}

TEST(PixSantander400, RemessaComRegistro8AposCadaTitulo) {
    const ContaConfigurada conta = santanderComPix();
    const QList<Documento> docs = exemplos::documentosBradesco();
    EXPECT_EQ(gravada(conta, docs), leArquivo(QStringLiteral(DADOS_BOLIX "/remessa400_santander_pix.rem")));
    const QList<QByteArray> l = remessa400(conta, docs, 42, geracao);
    ASSERT_EQ(l.size(), 8);
    confereCampos(l, {{2, 108, 110, "501"},
                      // type 00, one payment of the title's value, CNPJ key
                      {3, 1, 43,
                       "8"
                       "00"
                       "01"
                       "2"
                       "0000000015000"
                       "00000"
                       "0000000015000"
                       "00000"
                       "2"},
                      {3, 44, 57, "12345678000195"},
                      {3, 395, 400, "000003"},
                      {5, 7, 19, "0000000008990"},
                      {8, 1, 7, "9000008"}});
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        const QByteArray txid =
            (conta.agencia + conta.conta + nossoNumeroDoDocumento(conta, docs[i]).campoCnab).toLatin1();
        EXPECT_EQ(txid.size(), 26);
        EXPECT_EQ(l[2 + 2 * i].mid(120, 35), txid.leftJustified(35, ' '));
        EXPECT_EQ(l[2 + 2 * i].mid(155, 239), QByteArray(239, ' '));
    }
    // The same title in another file carries the same txid; a title the bank numbers leaves it to the bank.
    EXPECT_EQ(remessa400(conta, {docs[1]}, 43, geracao)[2].mid(120, 35), l[4].mid(120, 35));
    Documento numeradoPeloBanco = docs[0];
    numeradoPeloBanco.bancoGeraNossoNumero = true;
    numeradoPeloBanco.nossoNumero.clear();
    EXPECT_EQ(remessa400(conta, {numeradoPeloBanco}, 43, geracao)[2].mid(120, 35), QByteArray(35, ' '));
}

// The simulator's answer as Itaú writes it: 06 paid by bar code, 10 paid through the QR, 02 with the
// record 3 that brings the whole BR Code.
TEST(PixItau400, RetornoComQrEPagamentosPeloPix) {
    const ContaConfigurada conta = itauComPix({});
    const QList<Documento> docs = exemplos::tresDocumentos();
    const QList<QByteArray> l = retorno(conta, docs);
    ASSERT_EQ(l.size(), 6);
    EXPECT_EQ(l[4].left(1), "3");
    const QList<Ocorrencia> o = le(l, conta);
    ASSERT_EQ(o.size(), 3);
    EXPECT_EQ(pagamentos(o), 2);
    EXPECT_EQ(o[1].codigoMovimento, u"10");
    EXPECT_EQ(o[1].valorPago, centavos(valorCobrado(docs[1])) * 100);
    EXPECT_FALSE(o[0].temPix() || o[1].temPix());
    EXPECT_EQ(o[2].codigoMovimento, u"02");
    EXPECT_FALSE(o[2].pixRecusado);
    EXPECT_TRUE(o[2].pixCopiaECola.contains(cobrancaDoSimulador));
    EXPECT_EQ(brCodeConferido(o[2].pixCopiaECola), o[2].pixCopiaECola);
    // The trailer's count of details (213-220) with the record 3 in it is taken too; one more is reported.
    QList<QByteArray> comTres = l;
    comTres[5].replace(212, 8, "00000004");
    QStringList avisos;
    EXPECT_EQ(leRetorno400(junta(comTres), QStringLiteral("r.ret"), u"341", &avisos).size(), 3);
    EXPECT_TRUE(avisos.isEmpty()) << avisos.join(u'\n').toStdString();
    comTres[5].replace(212, 8, "00000005");
    EXPECT_EQ(leRetorno400(junta(comTres), QStringLiteral("r.ret"), u"341", &avisos).size(), 3);
    ASSERT_EQ(avisos.size(), 1);
    EXPECT_TRUE(avisos[0].contains(u"213 a 220) com \"00000005\" não confere: o arquivo tem 3"))
        << avisos[0].toStdString();
}

// What the record 3 may bring: the error code refuses the QR with the bank's words; a broken text is never
// handed over for printing.
TEST(PixItau400, ErroOuTextoQuebradoRecusamOQr) {
    const ContaConfigurada conta = itauComPix({});
    const QList<QByteArray> base = retorno(conta, exemplos::tresDocumentos());
    const struct {
        const char *nome;
        std::function<void(QByteArray &)> muda;
        bool recusado;
        const char *situacao;
    } casos[] = {
        {"ZerosSemErro", [](QByteArray &r) { r.replace(391, 3, "000"); }, false, ""},
        {"BrancosSemErro", [](QByteArray &r) { r.replace(391, 3, "   "); }, false, ""},
        {"Erro004", [](QByteArray &r) { r.replace(1, 390, QByteArray(390, ' ')).replace(391, 3, "004"); },
         true, "004 - chave sem cadastro na DICT"},
        {"ErroForaDaTabela", [](QByteArray &r) { r.replace(391, 3, "123"); }, true, "123 - erro Pix"},
        {"CrcErrado",
         [](QByteArray &r) {
             const qsizetype fim = r.indexOf("6304") + 7;
             r[fim] = r[fim] == 'A' ? 'B' : 'A';
         },
         true, "CRC"},
        {"Cortado", [](QByteArray &r) { r.replace(40, 351, QByteArray(351, ' ')); }, true, "passa do fim"},
    };
    for (const auto &c : casos) {
        SCOPED_TRACE(c.nome);
        QList<QByteArray> l = base;
        c.muda(l[4]);
        const QList<Ocorrencia> o = le(l, conta);
        ASSERT_EQ(o.size(), 3);
        EXPECT_EQ(pagamentos(o), 2);
        EXPECT_EQ(o[2].pixRecusado, c.recusado);
        EXPECT_EQ(o[2].pixCopiaECola.isEmpty(), c.recusado);
        EXPECT_TRUE(o[2].pixSituacao.contains(QString::fromUtf8(c.situacao)))
            << o[2].pixSituacao.toStdString();
        EXPECT_TRUE(o[2].temPix());
    }
}

// A Pix record with no title before it, twice after one title, or of a type the bank does not write is a
// fault of the file.
TEST(PixCnab400, RegistroPixForaDoLugarRecusaOArquivo) {
    const struct {
        const char *nome;
        std::function<ContaConfigurada()> conta;
        std::function<void(QList<QByteArray> &)> estraga;
        const char *trecho;
    } casos[] = {
        {"Itau3AposOHeader", [] { return itauComPix({}); }, [](auto &l) { l.insert(1, l[4]); },
         "linha 2: campo tipo de registro (posições 1 a 1) com \"3\" (QR Code Pix) sem o título"},
        {"Itau3Repetido", [] { return itauComPix({}); }, [](auto &l) { l.insert(5, l[4]); },
         "linha 6: campo tipo de registro (posições 1 a 1) com \"3\" (QR Code Pix) repetido para o título da "
         "linha 4"},
        {"Itau2NoRetorno", [] { return itauComPix({}); }, [](auto &l) { l[4][0] = '2'; },
         "linha 5: campo tipo de registro (posições 1 a 1) com \"2\" desconhecido"},
        {"Santander2AposOHeader", santanderComPix, [](auto &l) { l.insert(1, l[4]); },
         "linha 2: campo tipo de registro (posições 1 a 1) com \"2\" (QR Code Pix) sem o título"},
        {"Santander3NoRetorno", santanderComPix, [](auto &l) { l[4][0] = '3'; },
         "linha 5: campo tipo de registro (posições 1 a 1) com \"3\" desconhecido"},
    };
    for (const auto &c : casos) {
        SCOPED_TRACE(c.nome);
        const ContaConfigurada conta = c.conta();
        QList<QByteArray> l = retorno(conta, exemplos::documentosBradesco());
        c.estraga(l);
        renumera(l);
        const QString texto = recusa(l, conta);
        EXPECT_TRUE(texto.contains(QString::fromUtf8(c.trecho))) << texto.toStdString();
    }
}

// The simulator's answer as Santander writes it: 06 paid by bar code, 06 with 511 paid through the QR, 02
// with 508 and the record 2 that brings the charge's location and the remittance's txid.
TEST(PixSantander400, RetornoComLocationETxid) {
    const ContaConfigurada conta = santanderComPix();
    const QList<Documento> docs = exemplos::documentosBradesco();
    const QList<QByteArray> remessa = remessa400(conta, docs, 1, geracao);
    const QList<QByteArray> l = retorno(conta, docs);
    ASSERT_EQ(l.size(), 6);
    const QList<Ocorrencia> o = le(l, conta);
    ASSERT_EQ(o.size(), 3);
    EXPECT_EQ(pagamentos(o), 2);
    EXPECT_EQ(o[1].motivos, u"511");
    EXPECT_FALSE(o[0].temPix() || o[1].temPix());
    const QString txid = QString::fromLatin1(remessa[6].mid(120, 35)).trimmed();
    EXPECT_EQ(o[2].pixTxid, txid);
    EXPECT_EQ(o[2].pixSituacao, u"508 - registrado com QR Code Pix");
    EXPECT_FALSE(o[2].pixRecusado);
    EXPECT_EQ(o[2].pixCopiaECola,
              brCodeDaLocation(cobrancaDoSimulador + txid, QStringLiteral("Loja Exemplo Ltda"),
                               QStringLiteral("Curitiba")));
    // Without the payee's city no QR can be assembled: reported, the payments read all the same.
    ContaConfigurada semCidade = conta;
    semCidade.configuracao.cidadeBeneficiario.clear();
    const QList<Ocorrencia> s = le(l, semCidade);
    EXPECT_EQ(pagamentos(s), 2);
    EXPECT_TRUE(s[2].pixRecusado);
    EXPECT_TRUE(s[2].pixCopiaECola.isEmpty());
    EXPECT_TRUE(s[2].pixSituacao.contains(u"cidade_beneficiario")) << s[2].pixSituacao.toStdString();
}

// Santander's forms of a payment through the QR, and its statuses. Title 3 (150,00... its value in 153-165)
// is given the code, the reasons in 137-139 and the amount paid; its record 2 is kept or taken out. Only the
// codes the manual names as a Pix liquidation are payments: a plain 09, the bank's ordinary write-off, is
// written off whether a record 2 follows or not. A refusal of the Pix wins over the record 2 after it.
TEST(PixSantander400, PagamentoPeloPixEmCadaFormaUmaVez) {
    const ContaConfigurada conta = santanderComPix();
    const QList<QByteArray> base = retorno(conta, exemplos::documentosBradesco());
    const struct {
        const char *codigo, *motivo;
        bool registro2;
        bool pago;
        bool qr;
        bool recusado;
        const char *situacao;
        const char *baixa;
    } casos[] = {
        {"06", "511", false, true, false, false, "", ""},
        {"06", "511", true, true, true, false, "", ""},
        {"09", "510", false, true, false, false, "", ""},
        {"09", "   ", true, false, true, false, "", "09 - baixa automática"},
        {"09", "   ", false, false, false, false, "", "09 - baixa automática"},
        {"10", "   ", true, false, true, false, "", "10 - baixado conforme instrução"},
        {"02", "509", false, false, false, false, "509 - registrado sem QR Code Pix", ""},
        {"02", "501", false, false, false, true, "501 - chave Pix inválida", ""},
        {"02", "501", true, false, false, true, "QR Code Pix da linha 5 descartado: o banco recusou o Pix",
         ""},
        {"03", "504", true, false, false, true,
         "504 - txid em duplicidade; QR Code Pix da linha 5 descartado", ""},
    };
    for (const auto &c : casos) {
        SCOPED_TRACE(std::string(c.codigo) + "/" + c.motivo + (c.registro2 ? "+2" : ""));
        QList<QByteArray> l = base;
        l[3].replace(108, 2, c.codigo).replace(136, 3, c.motivo);
        if (c.pago)
            l[3].replace(253, 13, l[3].mid(152, 13));
        if (!c.registro2)
            l.removeAt(4);
        renumera(l);
        const QList<Ocorrencia> o = le(l, conta);
        ASSERT_EQ(o.size(), 3);
        EXPECT_EQ(pagamentos(o), c.pago ? 3 : 2);
        EXPECT_EQ(o[2].pagamento(), c.pago);
        EXPECT_EQ(o[2].valorPago, c.pago ? o[2].valorTitulo : 0);
        EXPECT_EQ(o[2].pixRecusado, c.recusado);
        EXPECT_EQ(o[2].pixCopiaECola.isEmpty(), !c.qr);
        EXPECT_TRUE(o[2].pixSituacao.contains(QString::fromUtf8(c.situacao)))
            << o[2].pixSituacao.toStdString();
        EXPECT_EQ(o[2].baixa, QString::fromUtf8(c.baixa));
        EXPECT_EQ(o[2].orientacaoBaixa.contains(u"510"), *c.baixa != 0);
    }
    // A Pix write-off that leaves 254-266 at zero is paid by the title's value, not settled at zero.
    QList<QByteArray> l = base;
    l[3].replace(108, 2, "09").replace(136, 3, "510").replace(253, 13, QByteArray(13, '0'));
    const QList<Ocorrencia> o = le(l, conta);
    ASSERT_EQ(o.size(), 3);
    EXPECT_TRUE(o[2].pagamento());
    EXPECT_EQ(o[2].valorPago, o[2].valorTitulo);
}

// As a genuine file has it: a 09 whose 254-266 holds the fee, its credit date blank, and a record 2 after
// it. The file reads; the 06s alone are payments, and the 09 is written off, with the bank's words and
// what the store may ask the bank.
TEST(PixSantander400, BaixaComTarifaERegistro2NaoEhPagamento) {
    const ContaConfigurada conta = santanderComPix();
    QList<QByteArray> l = retorno(conta, exemplos::documentosBradesco());
    l[3].replace(108, 2, "09")
        .replace(136, 3, "   ")
        .replace(253, 13, "0000000000210")
        .replace(295, 6, "      ");
    const QList<Ocorrencia> o = le(l, conta);
    ASSERT_EQ(o.size(), 3);
    EXPECT_EQ(pagamentos(o), 2);
    EXPECT_TRUE(o[0].pagamento() && o[1].pagamento());
    EXPECT_EQ(o[0].codigoMovimento, u"06");
    EXPECT_FALSE(o[2].pagamento());
    EXPECT_EQ(o[2].baixa, u"09 - baixa automática");
    EXPECT_TRUE(o[2].orientacaoBaixa.contains(u"510 (baixado por pagamento via Pix) e 511"))
        << o[2].orientacaoBaixa.toStdString();
}

// A location or txid with a character the BR Code does not admit would give a QR whose CRC does not match
// what the payer's app reads: reported, no QR kept.
TEST(PixSantander400, LocationOuTxidForaDoBrCodeRecusados) {
    const ContaConfigurada conta = santanderComPix();
    const struct {
        const char *nome;
        int posicao;
        char caractere;
        const char *motivo;
    } casos[] = {
        {"LocationComByteForaDoAscii", 10, '\xE7',
         "location com o caractere \"ç\" (código 231) na posição 9"},
        {"LocationComBrancoNoMeio", 10, ' ', "location com o caractere \" \""},
        {"TxidComHifen", 82, '-', "txid com o caractere \"-\" (código 45) na posição 4"},
    };
    for (const auto &c : casos) {
        SCOPED_TRACE(c.nome);
        QList<QByteArray> l = retorno(conta, exemplos::documentosBradesco());
        l[4][c.posicao] = c.caractere;
        const QList<Ocorrencia> o = le(l, conta);
        ASSERT_EQ(o.size(), 3);
        EXPECT_EQ(pagamentos(o), 2);
        EXPECT_TRUE(o[2].pixRecusado);
        EXPECT_TRUE(o[2].pixCopiaECola.isEmpty());
        EXPECT_TRUE(o[2].pixSituacao.contains(QString::fromUtf8(c.motivo))) << o[2].pixSituacao.toStdString();
    }
}

// A record 2 with no location gives nothing to print: refused with the reason.
TEST(PixSantander400, LocationVaziaRecusada) {
    const ContaConfigurada conta = santanderComPix();
    QList<QByteArray> l = retorno(conta, exemplos::documentosBradesco());
    l[4].replace(2, 77, QByteArray(77, ' '));
    const QList<Ocorrencia> o = le(l, conta);
    ASSERT_EQ(o.size(), 3);
    EXPECT_TRUE(o[2].pixRecusado);
    EXPECT_TRUE(o[2].pixCopiaECola.isEmpty());
    EXPECT_TRUE(o[2].pixSituacao.contains(u"location com 0 caracteres")) << o[2].pixSituacao.toStdString();
    EXPECT_FALSE(o[2].pixTxid.isEmpty());
}

} // namespace
