// Issued boletos found again and printed again from their record.
#include "tests/generation/GeracaoDeTeste.h"

#include "db/Connection.h"
#include "generation/SegundaVia.h"
#include "retorno/BaixasRegistradas.h"
#include "retorno/PixDosBoletos.h"
#include "tests/support/LeituraPdf.h"

#include <QDir>

namespace {

class SegundaViaTest : public GeracaoDeTeste {
protected:
    QTemporaryDir segunda;

    // Clients 1 to `quantos`, one receivable each, all marked, printed, remittance written.
    void geraBoletos(int quantos) {
        for (int c = 1; c <= quantos; ++c) {
            cliente(c);
            banco.receber({{"clientes_id", c}, {"valortotal", 10 * c}});
        }
        listaClientes();
        for (int c = 1; c <= quantos; ++c)
            marca(*clientes, {c});
        controles.cbImprimir = true;
        mensagens.respostas = {Mensagens::Resposta::Sim};
        gera();
    }
    QList<BoletoEmitido> registros(const QList<qint64> &ids) {
        banco.conexao().executa(sqlCriaPixDosBoletos());
        const ResultSet r = banco.conexao().abre(sqlBoletosPorId(ids));
        QList<BoletoEmitido> boletos;
        for (int i = 0; i < r.linhas(); ++i)
            boletos.append(BoletoDoRegistro(r, i));
        return boletos;
    }
    ResultSet lista(const FiltroBoletos &f) {
        banco.conexao().executa(sqlCriaBaixasRegistradas());
        return banco.conexao().abre(sqlListaBoletosEmitidos(banco.conexao(), f));
    }
    // Boletos 1 and 2 printed again: 1 refused, named with `motivo`, and 2 alone in the PDF.
    void soOBoleto1Recusado(const QString &motivo) {
        const ResultadoSegundaVia r = ImprimeSegundaVia(bolix, registros({1, 2}), segunda.path());
        ASSERT_EQ(r.recusados.size(), 1) << r.recusados.join(u'\n').toStdString();
        EXPECT_TRUE(
            r.recusados[0].startsWith(QStringLiteral("1 Cliente 1 (documento %1").arg(numeroDocumento(1))))
            << r.recusados[0].toStdString();
        EXPECT_TRUE(r.recusados[0].contains(motivo)) << r.recusados[0].toStdString();
        ASSERT_EQ(r.arquivos.size(), 1);
        EXPECT_EQ(leitura::paginas(r.arquivos[0]), 1);
        EXPECT_TRUE(leitura::texto(r.arquivos[0], 1).contains(QStringLiteral("Cliente 2")));
    }
    QString primeiroPdf() const {
        return QDir(destino.path())
            .filePath(QDir(destino.path()).entryList({QStringLiteral("boletos_*.pdf")})[0]);
    }
};

TEST_F(SegundaViaTest, MesmasPaginasSemTocarEmContadorNemRecebiveis) {
    geraBoletos(2);
    const QString primeira = primeiroPdf();
    // The store changed its account and counter since: the record prints as it was issued.
    instalacao.ruvenal({"num_agencia=9999", "conta_corrente=1", "identificacao_empresa=7654321",
                        "nossonumero=900", "sequencia_remessa=5"});
    const QString antes = numeroDocumento(1) + numeroDocumento(2);

    const ResultadoSegundaVia r = ImprimeSegundaVia(bolix, registros({1, 2}), segunda.path());

    ASSERT_TRUE(r.recusados.isEmpty()) << r.recusados.join(u'\n').toStdString();
    ASSERT_EQ(r.arquivos.size(), 1);
    ASSERT_EQ(leitura::paginas(r.arquivos[0]), 2);
    const QStringList codigosPrimeira =
        leitura::codigosDeBarras(primeira, 1) + leitura::codigosDeBarras(primeira, 2);
    EXPECT_EQ(leitura::codigosDeBarras(r.arquivos[0], 1) + leitura::codigosDeBarras(r.arquivos[0], 2),
              codigosPrimeira);
    EXPECT_EQ(codigosPrimeira.size(), 2);
    for (int p = 1; p <= 2; ++p) {
        const QString original = leitura::texto(primeira, p);
        const QString outra = leitura::texto(r.arquivos[0], p);
        EXPECT_TRUE(outra.startsWith(QStringLiteral("2ª via"))) << outra.toStdString();
        EXPECT_EQ(outra.mid(QStringLiteral("2ª via ").size()), original);
    }
    EXPECT_TRUE(QFileInfo(r.arquivos[0]).fileName().startsWith(QStringLiteral("segunda_via_")));
    // Nothing for the bank, no number used, no receivable changed.
    EXPECT_EQ(chave("nossonumero"), QStringLiteral("900"));
    EXPECT_EQ(chave("sequencia_remessa"), QStringLiteral("5"));
    EXPECT_EQ(numeroDocumento(1) + numeroDocumento(2), antes);
    EXPECT_FALSE(QFile::exists(QDir(segunda.path()).filePath(QStringLiteral("remessa.rem"))));
}

// The bank's QR, stored from the return of the registration, prints on the second print of its boleto only;
// the first print had none.
TEST_F(SegundaViaTest, QrDoPixGuardadoSaiNaSegundaVia) {
    geraBoletos(2);
    const QString primeira = primeiroPdf();
    const QString qr = QStringLiteral(
        "00020101021226810014br.gov.bcb.pix2559pix.example.com/qr/v2/cobv/00000000000000000000000000000001"
        "5204000053039865802BR5917LOJA EXEMPLO LTDA6008CURITIBA62070503***6304CD1A");
    Connection &c = banco.conexao();
    c.executa(sqlCriaPixDosBoletos());
    c.executa(sqlGuardaPix(c, 2, {numeroDocumento(2), {}, qr, QStringLiteral("TX"), {}, false},
                           QDateTime::currentDateTime()));

    const QList<BoletoEmitido> boletos = registros({1, 2});
    ASSERT_EQ(boletos.size(), 2);
    EXPECT_EQ(boletos[0].pixCopiaECola, QString());
    EXPECT_EQ(boletos[1].pixCopiaECola, qr);
    const ResultadoSegundaVia r = ImprimeSegundaVia(bolix, boletos, segunda.path());
    ASSERT_TRUE(r.recusados.isEmpty()) << r.recusados.join(u'\n').toStdString();
    ASSERT_EQ(r.arquivos.size(), 1);
    EXPECT_EQ(leitura::codigosDeBarras(r.arquivos[0], 1, QStringLiteral("qrcode")), QStringList());
    EXPECT_EQ(leitura::codigosDeBarras(r.arquivos[0], 2, QStringLiteral("qrcode")), QStringList{qr});
    EXPECT_TRUE(leitura::texto(r.arquivos[0], 2).contains(QStringLiteral("Pague com Pix")));
    for (int p = 1; p <= 2; ++p)
        EXPECT_EQ(leitura::codigosDeBarras(primeira, p, QStringLiteral("qrcode")), QStringList()) << p;
}

// A QR text that fails the component's check when it prints refuses its own boleto only; the other of the
// same account still prints.
TEST_F(SegundaViaTest, QrQuebradoRecusaSoOSeuBoleto) {
    geraBoletos(2);
    Connection &c = banco.conexao();
    c.executa(sqlCriaPixDosBoletos());
    // A valid text with one letter changed: its CRC no longer checks.
    c.executa(sqlGuardaPix(
        c, 1,
        {numeroDocumento(1),
         {},
         QStringLiteral(
             "00020101021226810014br.gov.bcb.pix2559pix.example.com/qr/v2/cobv/"
             "000000000000000000000000000000015204000053039865802BR5917LOJA EXEMPLO LTDA6008CURITIBO"
             "62070503***6304CD1A"),
         {},
         {},
         false},
        QDateTime::currentDateTime()));
    soOBoleto1Recusado(QStringLiteral("PixCopiaECola"));
}

TEST_F(SegundaViaTest, BancoQueOComponenteNaoImprimeNomeiaOBoletoEOsOutrosSaem) {
    geraBoletos(2);
    banco.conexao().executa(QStringLiteral("update ruvenal_boletos set banco = '237' where boleto_id = 1"));
    soOBoleto1Recusado(QStringLiteral("banco 237"));
}

TEST_F(SegundaViaTest, UmPdfPorCliente) {
    geraBoletos(2);
    const QList<BoletoEmitido> boletos = registros({2});
    const QString arquivo = ArquivoDoCliente(segunda.path(), boletos[0]);
    EXPECT_EQ(QFileInfo(arquivo).fileName(), QStringLiteral("2_12345678909.pdf"));
    const ResultadoSegundaVia r = ImprimeSegundaVia(bolix, boletos, segunda.path(), arquivo);
    EXPECT_EQ(r.arquivos, QStringList{arquivo});
    EXPECT_EQ(leitura::paginas(arquivo), 1);
}

// Two runs of the same three clients: six boletos whose accounts differ only in each run's range of nosso
// números. Printed again in the listed order, into one file; one client's boletos of both runs into one file.
TEST_F(SegundaViaTest, BoletosDeDuasRodadasNumSoArquivo) {
    geraBoletos(3);
    listaClientes();
    marca(*clientes, {1, 2, 3});
    gera();
    const QList<qint64> ordem{6, 1, 5, 2, 4, 3};

    const ResultadoSegundaVia r = ImprimeSegundaVia(bolix, registros(ordem), segunda.path());

    ASSERT_TRUE(r.recusados.isEmpty()) << r.recusados.join(u'\n').toStdString();
    ASSERT_EQ(r.arquivos.size(), 1);
    ASSERT_EQ(leitura::paginas(r.arquivos[0]), 6);
    for (int p = 0; p < 6; ++p) {
        const QString impresso = banco.conexao()
                                     .abre(QStringLiteral("select nosso_numero_impresso from ruvenal_boletos "
                                                          "where boleto_id = %1")
                                               .arg(ordem[p]))
                                     .valor(0, 0)
                                     .texto();
        EXPECT_TRUE(leitura::texto(r.arquivos[0], p + 1).contains(impresso))
            << p << " " << impresso.toStdString();
    }

    const QList<BoletoEmitido> doCliente = registros({1, 4});
    ASSERT_EQ(doCliente[0].codigo, doCliente[1].codigo);
    const QString arquivo = ArquivoDoCliente(segunda.path(), doCliente[0]);
    const ResultadoSegundaVia c = ImprimeSegundaVia(bolix, doCliente, segunda.path(), arquivo);
    EXPECT_EQ(c.arquivos, QStringList{arquivo});
    EXPECT_EQ(leitura::paginas(arquivo), 2);
}

// Open, paid, paid in part and no longer open; each filter alone.
TEST_F(SegundaViaTest, FiltrosESituacoes) {
    geraBoletos(4);
    Connection &c = banco.conexao();
    c.executa(sqlCriaBaixasRegistradas());
    const auto baixa = [&](int receber) {
        c.executa(QStringLiteral("insert into ruvenal_baixas values ('B', '%1', '20260101', 1, 'B', '', "
                                 "now() + interval 1 second, 1, 1)")
                      .arg(numeroDocumento(receber)));
    };
    baixa(2);
    c.executa(QStringLiteral("update receber set amort = 100 where receber_id = 2"));
    baixa(3);
    c.executa(QStringLiteral("update receber set amort = 40 where receber_id = 3"));
    c.executa(QStringLiteral("update receber set apagado = 'S' where receber_id = 4"));

    const ResultSet todos = lista({});
    ASSERT_EQ(todos.linhas(), 4);
    QStringList situacoes;
    for (int i = 0; i < 4; ++i)
        situacoes << todos.valor(i, "codigo").texto() + todos.valor(i, "situacao").texto();
    // Newest first.
    EXPECT_EQ(situacoes, (QStringList{"4E", "3P", "2B", "1A"}));

    struct Caso {
        FiltroBoletos filtro;
        QList<int> codigos;
    };
    // Bank 001 prints the convênio and the sequence; another bank's form, with carteira and check digit,
    // put in by hand.
    const QString impresso3 =
        c.abre(QStringLiteral("select nosso_numero_impresso from ruvenal_boletos where codigo = 3"))
            .valor(0, 0)
            .texto();
    ASSERT_EQ(impresso3, QStringLiteral("12345670000000043"));
    // The list shows the printed form.
    EXPECT_EQ(todos.valor(1, "nosso_numero").texto(), impresso3);
    c.executa(QStringLiteral(
        "update ruvenal_boletos set nosso_numero_impresso = '09/00000042-P' where codigo = 2"));
    const Caso casos[] = {
        {{.cliente = QStringLiteral("cliente 2")}, {2}},
        {{.cliente = QStringLiteral("3")}, {3}},
        {{.cliente = QStringLiteral("%")}, {}},
        {{.cliente = QStringLiteral("x' or '1'='1")}, {}},
        {{.numeroDocumento = numeroDocumento(4).mid(4)}, {4}},
        {{.nossoNumero = impresso3}, {3}},
        {{.nossoNumero = QStringLiteral("43")}, {3}},
        {{.nossoNumero = QStringLiteral("0000000043")}, {3}},
        {{.nossoNumero = QStringLiteral("09/00000042-P")}, {2}},
        {{.nossoNumero = QStringLiteral("0900000042")}, {2}},
        {{.nossoNumero = QStringLiteral("1234567")}, {4, 3, 1}},
        {{.de = hoje, .ate = hoje}, {4, 3, 2, 1}},
        {{.ate = hoje.addDays(-1)}, {}},
        {{.porVencimento = true, .de = hoje.addDays(10), .ate = hoje.addDays(10)}, {4, 3, 2, 1}},
        {{.porVencimento = true, .de = hoje.addDays(11)}, {}},
    };
    for (const Caso &caso : casos) {
        const ResultSet r = lista(caso.filtro);
        QList<int> achados;
        for (int i = 0; i < r.linhas(); ++i)
            achados << r.valor(i, "codigo").inteiro();
        EXPECT_EQ(achados, caso.codigos)
            << caso.filtro.cliente.toStdString() << "|" << caso.filtro.numeroDocumento.toStdString();
    }
}

} // namespace
