#include "retorno/PixDosBoletos.h"

#include "boleto/ObjetoBolix.h"
#include "db/Connection.h"
#include "db/Literal.h"
#include "db/ResultSet.h"
#include "db/Transacao.h"
#include "generation/BoletosEmitidos.h"
#include "util/Mensagens.h"

#include <QHash>
#include <algorithm>
#include <optional>

namespace {

// How storing one QR changed its boleto's row: the server's count of changed rows for an insert that
// updates on a duplicate key.
enum Efeito { Igual = 0, Novo = 1, Trocado = 2 };

// The newest boleto with the item's document number, else the newest: a nosso número is the bank's key
// of a title, and one used again belongs to its latest issue.
std::optional<qint64> boletoDoPix(Connection &conexao, const QString &banco, const PixDoBoleto &pix) {
    const QStringList formas = FormasDoNossoNumero(pix.nossoNumero);
    if (formas.isEmpty())
        return std::nullopt;
    const ResultSet r = conexao.abre(sqlBoletosDoNossoNumero(conexao, banco, formas));
    if (r.vazio())
        return std::nullopt;
    const QString documento = pix.numeroDocumento.trimmed();
    for (int l = 0; l < r.linhas(); ++l)
        if (!documento.isEmpty() && r.valor(l, "numero_documento").texto().trimmed() == documento)
            return r.valor(l, "boleto_id").inteiroLongo();
    return r.valor(0, "boleto_id").inteiroLongo();
}

// A heading line, then one line per item with the bank's words for it, the first 30 of them.
QStringList lista(const QString &titulo, const std::vector<PixDoBoleto> &itens) {
    if (itens.empty())
        return {};
    QStringList linhas;
    for (const PixDoBoleto &p : itens) {
        const QString situacao = p.situacao.trimmed();
        linhas << QStringLiteral("Documento %1, nosso número %2")
                          .arg(p.numeroDocumento.trimmed(), p.nossoNumero.trimmed()) +
                      (situacao.isEmpty() ? QString() : QStringLiteral(": ") + situacao);
    }
    return QStringList{titulo} + PrimeirosDaLista(linhas);
}

// A heading line, then each status once with how many titles have it, in the order they came: a bank may
// give one for every title it registered.
QStringList situacoes(const QString &titulo, const std::vector<PixDoBoleto> &itens) {
    if (itens.empty())
        return {};
    QStringList ordem;
    QHash<QString, int> quantos;
    for (const PixDoBoleto &p : itens) {
        const QString situacao = p.situacao.trimmed();
        if (!quantos.contains(situacao))
            ordem << situacao;
        ++quantos[situacao];
    }
    QStringList linhas{titulo};
    for (const QString &situacao : ordem)
        linhas << QStringLiteral("%1: %2 boleto(s)").arg(situacao).arg(quantos.value(situacao));
    return linhas;
}

} // namespace

std::vector<PixDoBoleto> PixDoRetorno(const boleto::ObjetoBolix &ObjBolix) {
    const auto quantos = ObjBolix.get(QStringLiteral("PixCobranca.Count")).toInt();
    std::vector<PixDoBoleto> itens;
    itens.reserve(size_t(std::max<std::int64_t>(quantos, 0)));
    for (int i = 0; i < quantos; ++i) {
        const boleto::ObjetoBolix item(ObjBolix.item(QStringLiteral("PixCobranca"), i).toObject());
        itens.push_back(
            {item.get(QStringLiteral("NumeroDocumento")).toText(),
             item.get(QStringLiteral("NossoNumero")).toText(),
             item.get(QStringLiteral("PixCopiaECola")).toText(), item.get(QStringLiteral("Txid")).toText(),
             item.get(QStringLiteral("Situacao")).toText(), item.get(QStringLiteral("Recusado")).toBool()});
    }
    return itens;
}

QString sqlCriaPixDosBoletos() {
    // The QR text is compared byte for byte: a new charge may differ from the stored one in case alone.
    return QStringLiteral("create table if not exists ruvenal_pix (\n"
                          " boleto_id bigint not null,\n"
                          " copia_e_cola text character set latin1 collate latin1_bin not null,\n"
                          " txid varchar(255) not null default '',\n"
                          " situacao text not null,\n"
                          " lido_em datetime not null,\n"
                          " primary key (boleto_id)\n"
                          ") engine=InnoDB default charset=latin1");
}

QStringList FormasDoNossoNumero(const QString &doRetorno) {
    QString digitos;
    for (QChar c : doRetorno)
        if (c >= u'0' && c <= u'9')
            digitos += c;
    // Without its check digit; every tail of it, and the whole with up to three more leading zeros.
    const QString numero = digitos.chopped(std::min<qsizetype>(digitos.size(), 1));
    QStringList formas;
    for (qsizetype largura = 1; largura <= numero.size() + 3 && !numero.isEmpty(); ++largura)
        formas << numero.right(largura).rightJustified(largura, u'0');
    return formas;
}

QString sqlBoletosDoNossoNumero(Connection &conexao, const QString &banco, const QStringList &formas) {
    QStringList literais;
    for (const QString &f : formas)
        literais << Literal(conexao, f);
    // The longest number first: the return's "...0041" is boleto 41's, not boleto 1's, which its tail
    // also matches.
    return QStringLiteral("select boleto_id, numero_documento from ruvenal_boletos where banco = %1 and "
                          "nosso_numero in (%2) "
                          "order by length(trim(leading '0' from nosso_numero)) desc, boleto_id desc")
        .arg(Literal(conexao, banco), literais.join(QStringLiteral(", ")));
}

QString sqlGuardaPix(Connection &conexao, qint64 boletoId, const PixDoBoleto &pix, const QDateTime &quando) {
    // The text is assigned last: the columns before it compare the stored text, not the new one.
    static const QString mesmoTexto = QStringLiteral("copia_e_cola = values(copia_e_cola)");
    return QStringLiteral("insert into ruvenal_pix (boleto_id, copia_e_cola, txid, situacao, lido_em) values "
                          "(%1, %2, %3, %4, %5) on duplicate key update "
                          "txid = if(%6, txid, values(txid)), situacao = if(%6, situacao, values(situacao)), "
                          "lido_em = if(%6, lido_em, values(lido_em)), copia_e_cola = values(copia_e_cola)")
        .arg(Literal(boletoId), Literal(conexao, pix.copiaECola), Literal(conexao, pix.txid),
             Literal(conexao, pix.situacao), Literal(quando), mesmoTexto);
}

ResultadoPix GuardaPix(Connection &conexao, const QString &banco, const std::vector<PixDoBoleto> &itens,
                       const QDateTime &quando) {
    ResultadoPix r;
    r.houvePix = !itens.empty();
    if (r.houvePix) {
        // A store that never issued a boleto here, or never read a QR, lacks the tables.
        conexao.executa(sqlCriaBoletosEmitidos());
        conexao.executa(sqlCriaPixDosBoletos());
    }
    // By boleto, so that one named twice in a file counts once: a change counts over "already stored".
    // The file's QRs are stored together: one commit, and none half-stored.
    QHash<qint64, int> efeitos;
    EmTransacao(conexao, [&] {
        for (const PixDoBoleto &pix : itens) {
            if (pix.recusado) {
                r.recusados.push_back(pix);
                continue;
            }
            if (pix.copiaECola.trimmed().isEmpty()) {
                r.semQrCode.push_back(pix);
                continue;
            }
            const std::optional<qint64> boleto = boletoDoPix(conexao, banco, pix);
            if (!boleto) {
                r.semBoleto.push_back(pix);
                continue;
            }
            const int efeito = int(conexao.executa(sqlGuardaPix(conexao, *boleto, pix, quando)));
            if (efeitos.value(*boleto, Igual) == Igual)
                efeitos.insert(*boleto, efeito);
        }
    });
    for (int efeito : efeitos) {
        r.recebidos += efeito != Igual;
        r.trocados += efeito == Trocado;
        r.jaGuardados += efeito == Igual;
    }
    return r;
}

QString MensagemPix(const ResultadoPix &r) {
    if (!r.houvePix)
        return {};
    QStringList linhas{QStringLiteral("QR Code do Pix recebido para %1 boleto(s).").arg(r.recebidos)};
    if (r.trocados > 0)
        linhas << QStringLiteral("%1 deles já tinham outro QR Code, trocado pelo deste arquivo.")
                      .arg(r.trocados);
    if (r.jaGuardados > 0)
        linhas << QStringLiteral("%1 boleto(s) já tinham este QR Code do Pix.").arg(r.jaGuardados);
    linhas << lista(QStringLiteral("Pix recusado pelo banco; o boleto sai sem QR Code:"), r.recusados)
           << situacoes(QStringLiteral("Situação do Pix sem QR Code no arquivo:"), r.semQrCode)
           << lista(QStringLiteral(
                        "QR Code do Pix de nosso número que nenhum boleto emitido tem, não guardado:"),
                    r.semBoleto);
    return linhas.join(u'\r');
}
