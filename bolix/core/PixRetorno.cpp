#include "PixRetorno.h"

#include "BrCode.h"
#include "ErroBolix.h"

#include <algorithm>

namespace bolix {

namespace {

void acrescentaSituacao(Ocorrencia &o, const QString &situacao) {
    o.pixSituacao = o.pixSituacao.isEmpty() ? situacao : o.pixSituacao + QStringLiteral("; ") + situacao;
}

} // namespace

QStringList motivosDoRetorno(const QString &motivos, int largura) {
    QStringList codigos;
    for (qsizetype i = 0; i < motivos.size(); i += largura) {
        const QString codigo = motivos.mid(i, largura).trimmed();
        if (!codigo.isEmpty())
            codigos.append(codigo);
    }
    return codigos;
}

bool pagoPorMotivo(const QList<PagoPorMotivo> &tabela, const QString &movimento, const QStringList &motivos) {
    return std::any_of(tabela.cbegin(), tabela.cend(), [&](const PagoPorMotivo &p) {
        return p.codigo == movimento && motivos.contains(p.motivo);
    });
}

void anotaSituacaoPix(Ocorrencia &o, const QList<MotivoPix> &tabela, int largura) {
    for (const QString &codigo : motivosDoRetorno(o.motivos, largura))
        for (const MotivoPix &m : tabela)
            if (m.codigo == codigo) {
                acrescentaSituacao(o, m.codigo + QStringLiteral(" - ") + m.situacao);
                o.pixRecusado = o.pixRecusado || m.recusado;
            }
}

void recusaPix(Ocorrencia &o, const QString &situacao) {
    acrescentaSituacao(o, situacao);
    o.pixRecusado = true;
    o.pixCopiaECola.clear();
}

void anotaCopiaECola(Ocorrencia &o, const QString &emv) {
    try {
        o.pixCopiaECola = brCodeConferido(emv);
    } catch (const ErroBolix &e) {
        recusaPix(o, e.texto());
    }
}

// Without the payee's city the QR cannot be assembled; the payments of the file are read all the same.
void anotaLocation(Ocorrencia &o, const QString &location, const QString &txid,
                   const ConfiguracaoBolix &configuracao) {
    o.pixTxid = txid.trimmed();
    if (configuracao.cidadeBeneficiario.trimmed().isEmpty()) {
        recusaPix(o, QStringLiteral("QR Code Pix não montado: cidade_beneficiario não informado no %1")
                         .arg(QString::fromLatin1(nomeArquivoConfiguracao)));
        return;
    }
    try {
        o.pixCopiaECola =
            brCodeDaLocation(location, configuracao.nomeBeneficiario, configuracao.cidadeBeneficiario);
    } catch (const ErroBolix &e) {
        recusaPix(o, e.texto());
    }
}

} // namespace bolix
