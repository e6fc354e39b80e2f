#include "Exemplos.h"

#include "bolix/core/Configuracao.h"
#include "bolix/core/cnab/Remessa.h"
#include "bolix/core/cnab/Retorno.h"
#include "bolix/simulador/Simulador.h"

#include <QTemporaryDir>
#include <QTextStream>
#include <gtest/gtest.h>

using namespace bolix;

namespace {

struct Execucao {
    int codigo;
    QString saida;
    QString erros;
};

Execucao executa(const QStringList &args) {
    Execucao e;
    QTextStream saida(&e.saida);
    QTextStream erros(&e.erros);
    e.codigo = simulador::executa(args, saida, erros);
    return e;
}

TEST(LinhaDeComando, ArgumentosRuinsMostramOUso) {
    const QStringList ruins[] = {
        {},
        {QStringLiteral("remessa.rem")},
        {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("--pagos")},
        {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("--pagos"), QStringLiteral("1,x")},
        {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("--valor"), QStringLiteral("2")},
        {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("--valor"), QStringLiteral("2=1,234")},
        {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("--codigo"), QStringLiteral("1=1")},
        {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("--data"), QStringLiteral("31/02/2025")},
        {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("--outra"), QStringLiteral("1")},
    };
    for (const QStringList &args : ruins) {
        const Execucao e = executa(args);
        EXPECT_EQ(e.codigo, 2) << args.join(u' ').toStdString();
        EXPECT_TRUE(e.erros.startsWith(u"Uso: simulador_banco REMESSA RETORNO"))
            << args.join(u' ').toStdString();
    }
}

// The help names, for CNAB 400, exactly the banks whose CNAB 400 the component writes.
TEST(LinhaDeComando, AjudaListaOsBancosDeCadaLeiaute) {
    const Execucao e = executa({QStringLiteral("--help")});
    EXPECT_EQ(e.codigo, 0);
    const qsizetype inicio = e.saida.indexOf(u"CNAB 400:");
    ASSERT_GE(inicio, 0) << e.saida.toStdString();
    const QString linha = e.saida.mid(inicio, e.saida.indexOf(u'\n', inicio) - inicio);
    for (const char *banco : {"001", "033", "041", "104", "237", "341", "356", "748", "756"})
        EXPECT_EQ(linha.contains(QString::fromLatin1(banco)), bolix::temCnab400(QString::fromLatin1(banco)))
            << banco;
}

TEST(LinhaDeComando, GravaORetornoDaRemessa) {
    QTemporaryDir dir;
    const QString remessa = dir.filePath(QStringLiteral("remessa.rem"));
    const QString retorno = dir.filePath(QStringLiteral("retorno.ret"));
    gravaArquivoRemessa(exemplos::contaBancoDoBrasil(), exemplos::tresDocumentos(),
                        {dir.path(), QStringLiteral("remessa.rem"), {}, 1}, QDateTime::currentDateTime());
    const Execucao e =
        executa({remessa, retorno, QStringLiteral("--pagos"), QStringLiteral("2"), QStringLiteral("--valor"),
                 QStringLiteral("2=80,5"), QStringLiteral("--data"), QStringLiteral("05/01/2026")});
    EXPECT_EQ(e.codigo, 0) << e.erros.toStdString();
    EXPECT_TRUE(e.saida.contains(retorno));
    const QList<Ocorrencia> o = leRetornoCobranca(retorno, exemplos::contaBancoDoBrasil());
    ASSERT_EQ(o.size(), 3);
    EXPECT_EQ(o[1].valorPago, 805'000);
    EXPECT_EQ(o[1].dataOcorrencia, QDate(2026, 1, 5));
    EXPECT_FALSE(o[0].pagamento());
}

TEST(LinhaDeComando, RemessaIlegivelEhErroComOCaminho) {
    QTemporaryDir dir;
    const QString ausente = dir.filePath(QStringLiteral("nada.rem"));
    const Execucao e = executa({ausente, dir.filePath(QStringLiteral("r.ret"))});
    EXPECT_EQ(e.codigo, 1);
    EXPECT_TRUE(e.erros.contains(ausente)) << e.erros.toStdString();
}

} // namespace
