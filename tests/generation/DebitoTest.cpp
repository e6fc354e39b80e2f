// Direct debit with bank 356: the completed remittance and the debit identification per client.
#include "tests/generation/GeracaoDeTeste.h"

#include "db/Connection.h"
#include "generation/RemessaDebito.h"
#include "util/Erro.h"

#include <QDir>
#include <QFile>

namespace {

class DebitoTest : public GeracaoDeTeste {
protected:
    void SetUp() override {
        GeracaoDeTeste::SetUp();
        instalacao.bolix({"banco=356", "carteira=20", "nome_beneficiario=LOJA MODELO LTDA",
                          "inscricao_beneficiario=12345678000195", "imprimir=N"});
        instalacao.ruvenal({"num_agencia=0501", "conta_corrente=6703255", "nossonumero=3020"});
        estado.banco = QStringLiteral("356");
        estado.carteira = QStringLiteral("20");
        controles.checkDebitoCC = true;
        cliente(1);
        cliente(2, {{"agencia", "0099"}, {"cc", "12"}});
        banco.receber({{"clientes_id", 1}});                                                         // 1
        banco.receber({{"clientes_id", 1}, {"apagado", "S"}});                                       // 2
        banco.receber({{"clientes_id", 1}, {"datahora", QDateTime(hoje.addDays(-1), QTime(9, 0))}}); // 3
        banco.receber({{"clientes_id", 1}, {"amort", 100}});                                         // 4
        banco.receber({{"clientes_id", 2}, {"numlanc", 98765432}});                                  // 5
        // Last year's change date, so that today's shows.
        banco.conexao().executa(QStringLiteral("update receber set dtalteracao = '2020-01-01'"));
    }

    struct Debito {
        QString lojasLeram2, lojasLeram, dtalteracao;
        int tipo;
    };
    Debito debito(int receberId) {
        const ResultSet r = banco.conexao().abre(
            QStringLiteral("select coalesce(lojas_leram2, 'NULL') l2, coalesce(lojas_leram, 'NULL') l, "
                           "dtalteracao, tipo from receber where receber_id = %1")
                .arg(receberId));
        return {r.valor(0, "l2").texto(), r.valor(0, "l").texto(),
                r.valor(0, "dtalteracao").data().toString(Qt::ISODate), r.valor(0, "tipo").inteiro()};
    }
    QList<QByteArray> linhas() const {
        QFile f(remessa());
        EXPECT_TRUE(f.open(QIODevice::ReadOnly));
        return f.readAll().split('\n');
    }
};

TEST_F(DebitoTest, CompletaOCabecalhoERegistraODebitoDeCadaCliente) {
    banco.conexao().executa(QStringLiteral("update receber set tipo = 3"));
    listaClientes();
    marca(*clientes, {1, 2});

    gera();

    ASSERT_TRUE(remessaGerada(2));
    const QList<QByteArray> l = linhas();
    ASSERT_EQ(l.size(), 5); // header, two details, trailer, and nothing after the last CR LF
    EXPECT_TRUE(l[4].isEmpty());
    for (const QByteArray &linha : l.mid(0, 4))
        EXPECT_EQ(linha.size(), 151) << "150 characters and CR: " << linha.constData();
    EXPECT_EQ(l[0].mid(0, 11), QByteArray("A11278     "));
    EXPECT_EQ(l[0].mid(22, 20).trimmed(), QByteArray("LOJA MODELO LTDA"));

    const QString data = hoje.toString(Qt::ISODate);
    const QString x1 = QString::fromLatin1(l[1].mid(2, 8)), x2 = QString::fromLatin1(l[2].mid(2, 8));
    EXPECT_NE(x1, x2);
    for (const auto &[receber, x] : {std::pair{1, x1}, {2, x1}, {5, x2}}) {
        const Debito d = debito(receber);
        EXPECT_EQ(d.lojasLeram2, x) << receber;
        EXPECT_EQ(d.lojasLeram, QStringLiteral("*")) << receber;
        EXPECT_EQ(d.dtalteracao, data) << receber;
        EXPECT_EQ(d.tipo, 0) << receber;
    }
    for (int receber : {3, 4}) {
        const Debito d = debito(receber);
        EXPECT_EQ(d.lojasLeram2, QStringLiteral("NULL")) << receber;
        EXPECT_EQ(d.dtalteracao, QStringLiteral("2020-01-01")) << receber;
        EXPECT_EQ(d.tipo, 3) << receber;
    }
    // A debit is no boleto: nothing to print again.
    EXPECT_EQ(boletosRegistrados(), 0);
}

TEST_F(DebitoTest, RemessaRecusadaMostraOErroENaoCompleta) {
    controles.DirFinal = destino.filePath(QStringLiteral("nao/existe"));
    QFile(destino.filePath(QStringLiteral("nao")))
        .open(QIODevice::WriteOnly); // a file where a folder should be
    listaClientes();
    marca(*clientes, {1});

    gera();

    ASSERT_EQ(mensagens.mostradas.size(), 2);
    EXPECT_TRUE(
        mensagens.mostradas[1].startsWith(QStringLiteral("erro: O arquivo de remessa não foi gerado.\r")))
        << mensagens.mostradas[1].toStdString();
    EXPECT_EQ(debito(1).lojasLeram2, QStringLiteral("NULL"));
}

TEST_F(DebitoTest, ContagemDiferenteNaoMudaNada) {
    const QByteArray original = "A1234567890REST\r\nEX00000001\r\nEX00000002\r\nZ\r\n";
    {
        QFile f(remessa());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(original);
    }
    try {
        CompletaRemessaDebito(remessa(), 3, {1, 2, 3}, QStringLiteral("*"), controles.periodo,
                              banco.conexao());
        ADD_FAILURE() << "three documents and two detail lines must be refused";
    } catch (const Erro &e) {
        EXPECT_TRUE(e.texto().contains(QStringLiteral("2 linha(s) de detalhe")) &&
                    e.texto().contains(QStringLiteral("3 documento(s)")))
            << e.texto().toStdString();
    }
    QFile f(remessa());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), original);
    EXPECT_EQ(debito(1).lojasLeram2, QStringLiteral("NULL"));

    // The same file with two documents: the header as the bank wants it, every other byte kept.
    CompletaRemessaDebito(remessa(), 2, {1, 2}, QStringLiteral("*"), controles.periodo, banco.conexao());
    QFile g(remessa());
    ASSERT_TRUE(g.open(QIODevice::ReadOnly));
    EXPECT_EQ(g.readAll(), QByteArray("A11278     REST\r\nEX00000001\r\nEX00000002\r\nZ\r\n"));
    EXPECT_EQ(debito(1).lojasLeram2, QStringLiteral("00000001"));
    EXPECT_EQ(debito(5).lojasLeram2, QStringLiteral("00000002"));
}

// A debit that cannot be recorded leaves none recorded and the file as the component wrote it, so the two
// never disagree.
TEST_F(DebitoTest, RegistroRecusadoNoSegundoNaoDeixaNadaPelaMetade) {
    const QByteArray original = "A1234567890REST\r\nEX00000001\r\nEX00000002\r\nZ\r\n";
    {
        QFile f(remessa());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(original);
    }
    banco.conexao().executa(QStringLiteral(
        "create trigger falha before update on receber for each row begin if new.clientes_id = 2 then "
        "signal sqlstate '45000' set message_text = 'falha simulada'; end if; end"));
    try {
        CompletaRemessaDebito(remessa(), 2, {1, 2}, QStringLiteral("*"), controles.periodo, banco.conexao());
        ADD_FAILURE() << "the refused statement must stop the completion";
    } catch (const Erro &e) {
        EXPECT_TRUE(e.texto().contains(QStringLiteral("falha simulada"))) << e.texto().toStdString();
    }
    QFile f(remessa());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), original);
    EXPECT_EQ(debito(1).lojasLeram2, QStringLiteral("NULL"));
    EXPECT_EQ(QDir(destino.path()).entryList(QDir::Files), QStringList{QStringLiteral("remessa.rem")});
}

TEST_F(DebitoTest, ContaQueOBancoRecusariaParaAntesDeGravar) {
    // Five digits of branch pass the listing's rule but not the bank's layout; the amount passes the ceiling.
    banco.conexao().executa(QStringLiteral("update clientes set agencia = '12345' where clientes_id = 2"));
    banco.conexao().executa(QStringLiteral("update receber set valortotal = 100000000 where receber_id = 1"));
    listaClientes();
    marca(*clientes, {1, 2});
    gera();
    ASSERT_EQ(mensagens.mostradas.size(), 1);
    const QStringList linhas = mensagens.mostradas[0].split(u'\r');
    ASSERT_EQ(linhas.size(), 3) << mensagens.mostradas[0].toStdString();
    EXPECT_TRUE(linhas[1].startsWith(QStringLiteral("1 Cliente 1: ")) &&
                linhas[1].contains(QStringLiteral("ValorDocumento")))
        << linhas[1].toStdString();
    EXPECT_TRUE(linhas[2].startsWith(QStringLiteral("2 Cliente 2: ")) &&
                linhas[2].contains(QStringLiteral("AgenciaDebito")))
        << linhas[2].toStdString();
    EXPECT_EQ(debito(1).lojasLeram2, QStringLiteral("NULL"));
    EXPECT_EQ(numeroDocumento(5), QStringLiteral("NULL"));
}

TEST(CabecalhoDebito, TrocaAsPosicoes3A11) {
    EXPECT_EQ(CabecalhoDebito("ABxxxxxxxxxREST"), QByteArray("AB1278     REST"));
    EXPECT_EQ(CabecalhoDebito("ABxxx"), QByteArray("AB1278     "));
}

} // namespace
