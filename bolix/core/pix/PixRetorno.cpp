#include "bolix/core/pix/PixRetorno.h"

#include "bolix/core/ErroBolix.h"
#include "bolix/core/pix/BrCode.h"

#include <algorithm>

namespace bolix {

namespace {

void acrescentaSituacao(Ocorrencia &o, const QString &situacao) {
    o.pixSituacao = o.pixSituacao.isEmpty() ? situacao : o.pixSituacao + QStringLiteral("; ") + situacao;
}

// The first character of `texto` that `admitido` refuses, as the refusal names it; empty when none.
template <class Admitido> QString foraDoBrCode(const QString &nome, const QString &texto, Admitido admitido) {
    for (qsizetype i = 0; i < texto.size(); ++i)
        if (!admitido(texto[i].unicode()))
            return QStringLiteral("QR Code Pix não montado: %1 com o caractere \"%2\" (código %3) na posição "
                                  "%4, fora dos que o BR Code admite")
                .arg(nome, texto[i])
                .arg(texto[i].unicode())
                .arg(i + 1);
    return {};
}

// A location is a URL: printable ASCII without blanks. A txid is letters and digits only.
QString recusaDaLocation(const QString &location, const QString &txid) {
    const QString url =
        foraDoBrCode(QStringLiteral("location"), location, [](char16_t c) { return c > 0x20 && c < 0x7F; });
    if (!url.isEmpty())
        return url;
    return foraDoBrCode(QStringLiteral("txid"), txid, [](char16_t c) {
        return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
    });
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

// Without the payee's city the QR cannot be assembled; the payments of the file are read all the same. A
// location or txid with a character the BR Code does not admit would make a QR whose CRC does not match
// what the payer's app reads: none is kept.
void anotaLocation(Ocorrencia &o, const QString &location, const QString &txid,
                   const ConfiguracaoBolix &configuracao) {
    const QString url = location.trimmed();
    o.pixTxid = txid.trimmed();
    if (const QString recusa = recusaDaLocation(url, o.pixTxid); !recusa.isEmpty()) {
        o.pixTxid.clear();
        recusaPix(o, recusa);
        return;
    }
    if (configuracao.cidadeBeneficiario.trimmed().isEmpty()) {
        recusaPix(o, QStringLiteral("QR Code Pix não montado: cidade_beneficiario não informado no %1")
                         .arg(QString::fromLatin1(nomeArquivoConfiguracao)));
        return;
    }
    try {
        o.pixCopiaECola =
            brCodeDaLocation(url, configuracao.nomeBeneficiario, configuracao.cidadeBeneficiario);
    } catch (const ErroBolix &e) {
        recusaPix(o, e.texto());
    }
}

} // namespace bolix
