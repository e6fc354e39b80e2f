#include "retorno/AvisosDoRetorno.h"

#include "boleto/ObjetoBolix.h"
#include "util/Mensagens.h"

#include <algorithm>

AvisosDoRetorno AvisosDoUltimoRetorno(const boleto::ObjetoBolix &ObjBolix) {
    AvisosDoRetorno r;
    const QString avisos = ObjBolix.get(QStringLiteral("AvisosRetorno")).toText();
    if (!avisos.isEmpty())
        r.avisos = avisos.split(QStringLiteral("\r\n"));
    const auto quantas = ObjBolix.get(QStringLiteral("BaixasCobranca.Count")).toInt();
    r.baixas.reserve(size_t(std::max<std::int64_t>(quantas, 0)));
    for (int i = 0; i < quantas; ++i) {
        const boleto::ObjetoBolix item(ObjBolix.item(QStringLiteral("BaixasCobranca"), i).toObject());
        r.baixas.push_back({item.get(QStringLiteral("NumeroDocumento")).toText(),
                            item.get(QStringLiteral("NossoNumero")).toText(),
                            item.get(QStringLiteral("Situacao")).toText(),
                            item.get(QStringLiteral("Orientacao")).toText()});
    }
    return r;
}

QString MensagemAvisosDoRetorno(const AvisosDoRetorno &retorno) {
    QStringList linhas;
    if (!retorno.avisos.isEmpty())
        linhas << QStringLiteral("Avisos da leitura do arquivo:") << PrimeirosDaLista(retorno.avisos);
    if (!retorno.baixas.empty()) {
        QStringList baixas;
        QStringList orientacoes;
        for (const BaixaDoBanco &b : retorno.baixas) {
            baixas << QStringLiteral("Documento %1, nosso número %2: %3")
                          .arg(b.numeroDocumento.trimmed(), b.nossoNumero.trimmed(), b.situacao.trimmed());
            if (!b.orientacao.isEmpty() && !orientacoes.contains(b.orientacao))
                orientacoes << b.orientacao;
        }
        linhas << QStringLiteral(
                      "%1 título(s) baixado(s) pelo banco sem pagamento; nenhuma conta foi baixada "
                      "por eles:")
                      .arg(retorno.baixas.size())
               << PrimeirosDaLista(baixas) << orientacoes;
    }
    return linhas.join(u'\r');
}
