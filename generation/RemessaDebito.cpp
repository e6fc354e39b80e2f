#include "generation/RemessaDebito.h"

#include "db/Connection.h"
#include "db/Literal.h"
#include "db/Transacao.h"
#include "util/Clock.h"
#include "util/Erro.h"
#include "util/Windows1252.h"

#include <QFile>
#include <QSaveFile>

namespace {

const QByteArray fimDeLinha = "\r\n";

QByteArray leArquivo(const QString &arquivo) {
    QFile f(arquivo);
    if (!f.open(QIODevice::ReadOnly))
        throw Erro(
            QStringLiteral("Não foi possível ler o arquivo de remessa %1: %2").arg(arquivo, f.errorString()));
    return f.readAll();
}

} // namespace

QByteArray CabecalhoDebito(const QByteArray &cabecalho) {
    return cabecalho.left(2) + "1278     " + cabecalho.mid(11);
}

QString sqlIdentificacaoDebito(Connection &conexao, const QString &identificacao, const QString &lojasLeram,
                               qint64 clientesId, const LimitesPeriodo &p) {
    return QStringLiteral("Update receber set lojas_leram2 = \"%1\", tipo = 0,  lojas_leram = \"%2\",  "
                          "dtalteracao = %3 where clientes_id = %4 and amort < 100 and quantidade > 0 and %5 "
                          "between \"%6\" and \"%7\"")
        .arg(conexao.escapa(identificacao), conexao.escapa(lojasLeram), Literal(Clock::hoje()),
             QString::number(clientesId), p.CampoData, p.inicio, p.fim);
}

void CompletaRemessaDebito(const QString &arquivo, int documentos, const QList<qint64> &codigos,
                           const QString &lojasLeram, const Periodo &periodo, Connection &conexao) {
    const QByteArray conteudo = leArquivo(arquivo);
    // The last line end closes the trailer; it starts no line of its own.
    const bool terminaComFim = conteudo.endsWith(fimDeLinha);
    QList<QByteArray> linhas = (terminaComFim ? conteudo.chopped(fimDeLinha.size()) : conteudo).split('\n');
    for (QByteArray &linha : linhas)
        if (linha.endsWith('\r'))
            linha.chop(1);
    const qsizetype detalhes = std::max<qsizetype>(linhas.size() - 2, 0);
    if (detalhes != documentos || documentos > codigos.size())
        throw Erro(
            QStringLiteral("O arquivo de remessa %1 tem %2 linha(s) de detalhe, mas esta geração criou %3 "
                           "documento(s). O arquivo não foi completado para o débito em conta e nenhum "
                           "débito foi registrado.")
                .arg(arquivo)
                .arg(detalhes)
                .arg(documentos));
    linhas[0] = CabecalhoDebito(linhas[0]);
    const LimitesPeriodo limites = LimitesPeriodo::de(conexao, periodo);

    // The completed file goes beside the written one. The debits are recorded in one transaction, and the
    // file replaces the written one inside it: both happen, or neither.
    QSaveFile novo(arquivo);
    const auto recusada = [&] {
        return Erro(QStringLiteral("Não foi possível gravar o arquivo de remessa %1: %2")
                        .arg(arquivo, novo.errorString()));
    };
    if (!novo.open(QIODevice::WriteOnly) ||
        novo.write(linhas.join(fimDeLinha) + (terminaComFim ? fimDeLinha : QByteArray())) < 0)
        throw recusada();
    EmTransacao(conexao, [&] {
        for (qsizetype i = 1; i <= detalhes; ++i)
            conexao.executa(sqlIdentificacaoDebito(conexao, windows1252::decodifica(linhas[i].mid(2, 8)),
                                                   lojasLeram, codigos[i - 1], limites));
        if (!novo.commit())
            throw recusada();
    });
}
