// The codes each bank's return hands over as payments, in both layouts, against the table the README gives
// the store: every two-digit movement code is put into a paid title's record and read.

#include "ArquivosDeTeste.h"
#include "Exemplos.h"

#include "bolix/core/bancos/Bancos.h"
#include "bolix/core/cnab/Remessa.h"
#include "bolix/core/cnab/Retorno.h"
#include "bolix/simulador/Simulador.h"

#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>

#include <functional>

using namespace bolix;
using namespace arquivos;

namespace {

const QDateTime geracao(QDate(2025, 11, 20), QTime(10, 30, 15));
const QDate pagamento(2025, 12, 10);

// A row of the README's table: codes paid by themselves, and codes paid only with a reason ("09 + 510").
struct Linha {
    QString banco;
    int leiaute;
    QStringList pagos;
    QStringList comMotivo;
};

QList<Linha> tabelaDoReadme() {
    QFile f(QStringLiteral(README_RUVENAL));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    const QStringList linhas = QString::fromUtf8(f.readAll()).split(u'\n');
    const qsizetype titulo = linhas.indexOf(QStringLiteral("### Codes handed over as payments"));
    EXPECT_GE(titulo, 0);
    const QRegularExpression linha(
        QStringLiteral(R"(^\| (\d{3}) [^|]*\| (240|400) \| ([^|]*)\| ([^|]*)\|$)"));
    const auto codigos = [](const QString &t) {
        return t.trimmed().isEmpty() ? QStringList() : t.trimmed().split(QStringLiteral(", "));
    };
    QList<Linha> tabela;
    for (qsizetype i = titulo + 1; i < linhas.size() && !linhas[i].startsWith(u"#"); ++i)
        if (const auto m = linha.match(linhas[i]); m.hasMatch())
            tabela.append(
                {m.captured(1), m.captured(2).toInt(), codigos(m.captured(3)), codigos(m.captured(4))});
    return tabela;
}

ContaConfigurada contaDoBanco(const QString &banco, int leiaute) {
    static const QHash<QString, const char *> exemplos240{
        {QStringLiteral("001"), "BB7"},      {QStringLiteral("033"), "Santander"},
        {QStringLiteral("041"), "Banrisul"}, {QStringLiteral("104"), "Caixa"},
        {QStringLiteral("237"), "Bradesco"}, {QStringLiteral("341"), "Itau"},
        {QStringLiteral("356"), "Real"},     {QStringLiteral("748"), "Sicredi"},
        {QStringLiteral("756"), "Sicoob"}};
    if (leiaute == 400) {
        if (banco == u"001")
            return exemplos::contaBancoDoBrasil400();
        if (banco == u"033")
            return exemplos::contaSantander();
        if (banco == u"237")
            return exemplos::contaBradesco();
        if (banco == u"341")
            return exemplos::contaItau();
        return exemplos::conta400(exemplos240.value(banco));
    }
    const exemplos::ExemploBanco &e = exemplos::exemploBanco(exemplos240.value(banco));
    return exemplos::configura(e, exemplos::conta(e));
}

// The first title of the simulator's return, paid, under each code: whether it is handed over as paid.
class Pagamentos {
public:
    Pagamentos(const QString &banco, int leiaute) : conta_(contaDoBanco(banco, leiaute)), leiaute_(leiaute) {
        // The CNAB 400 of some banks takes the fine only as a percentage.
        QList<Documento> docs = leiaute == 400 ? exemplos::documentosBradesco() : exemplos::tresDocumentos();
        for (Documento &d : docs)
            d.nossoNumero = d.nossoNumero.right(2);
        const QList<QByteArray> remessa =
            leiaute == 400 ? remessa400(conta_, docs, 1, geracao) : remessa240(conta_, docs, 1, geracao);
        linhas_ = simulador::retornoDaRemessa(junta(remessa), {}, pagamento);
    }

    bool pago(const QString &codigo, const QString &motivo = {}) const {
        QList<QByteArray> l = linhas_;
        const RegraBanco &regra = regraDoBanco(conta_.configuracao.banco);
        const QByteArray c = codigo.toLatin1();
        if (leiaute_ == 400) {
            const Faixa m = regra.leiaute400()->motivos;
            l[1].replace(108, 2, c).replace(m.inicio - 1, m.fim - m.inicio + 1,
                                            motivo.toLatin1().leftJustified(m.fim - m.inicio + 1, ' '));
            return leRetorno400(junta(l), QStringLiteral("r.ret"), conta_.configuracao.banco)
                .first()
                .pagamento();
        }
        const Faixa m = regra.leiaute240().motivos;
        l[2].replace(15, 2, c).replace(m.inicio - 1, m.fim - m.inicio + 1,
                                       motivo.toLatin1().leftJustified(m.fim - m.inicio + 1, ' '));
        l[3].replace(15, 2, c);
        return leRetorno240(junta(l), QStringLiteral("r.ret"), conta_.configuracao.banco).first().pagamento();
    }

private:
    ContaConfigurada conta_;
    int leiaute_;
    QList<QByteArray> linhas_;
};

TEST(PagamentosPorBanco, CodigosIguaisATabelaDoReadme) {
    const QList<Linha> tabela = tabelaDoReadme();
    // Nine banks in CNAB 240, eight in CNAB 400 (Real has none).
    ASSERT_EQ(tabela.size(), 17);
    for (const Linha &linha : tabela) {
        SCOPED_TRACE(QStringLiteral("%1 %2").arg(linha.banco).arg(linha.leiaute).toStdString());
        const Pagamentos pagamentos(linha.banco, linha.leiaute);
        QStringList pagos;
        for (int codigo = 0; codigo < 100; ++codigo) {
            const QString c = QString::number(codigo).rightJustified(2, u'0');
            if (pagamentos.pago(c))
                pagos.append(c);
        }
        EXPECT_EQ(pagos, linha.pagos) << pagos.join(u", ").toStdString();
        for (const QString &comMotivo : linha.comMotivo) {
            const QStringList partes = comMotivo.split(QStringLiteral(" + "));
            ASSERT_EQ(partes.size(), 2) << comMotivo.toStdString();
            EXPECT_TRUE(pagamentos.pago(partes[0], partes[1])) << comMotivo.toStdString();
        }
    }
}

} // namespace
