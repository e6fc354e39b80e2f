#include "generation/RegistroNoBanco.h"

#include "db/Connection.h"
#include "db/Literal.h"
#include "db/ResultSet.h"
#include "retorno/PixDosBoletos.h"
#include "util/Clock.h"
#include "util/Mensagens.h"

using boleto::ObjetoBolix;

namespace {

// The bank's QR of each registered document, stored against its record so that a 2ª via prints it too.
int guardaRegistrados(const ObjetoBolix &bolix, Connection &conexao) {
    const QString banco = bolix.get(QStringLiteral("NumeroBanco")).toText();
    const QDateTime quando = Clock::agora();
    bool tabelaCriada = false;
    int registrados = 0;
    const int documentos = int(bolix.get(QStringLiteral("DocumentosCobranca.Count")).toInt());
    for (int i = 0; i < documentos; ++i) {
        const ObjetoBolix doc(bolix.item(QStringLiteral("DocumentosCobranca"), i).toObject());
        if (!doc.get(QStringLiteral("RegistradoNoBanco")).toBool())
            continue;
        ++registrados;
        PixDoBoleto pix;
        pix.copiaECola = doc.get(QStringLiteral("PixCopiaECola")).toText();
        if (pix.copiaECola.isEmpty())
            continue;
        pix.numeroDocumento = doc.get(QStringLiteral("NumeroDocumento")).toText();
        pix.nossoNumero = doc.get(QStringLiteral("NossoNumero")).toText();
        pix.situacao = QStringLiteral("Registrado pela API do banco");
        const ResultSet r =
            conexao.abre(sqlBoletoEmitidoDoDocumento(conexao, banco, pix.nossoNumero, pix.numeroDocumento));
        if (r.vazio())
            continue;
        if (!std::exchange(tabelaCriada, true))
            conexao.executa(sqlCriaPixDosBoletos());
        conexao.executa(sqlGuardaPix(conexao, r.valor(0, "boleto_id").inteiroLongo(), pix, quando));
    }
    return registrados;
}

} // namespace

bool RegistroPelaApi(const ObjetoBolix &bolix) {
    return bolix.get(QStringLiteral("RegistroApi")).toBool();
}

QString sqlBoletoEmitidoDoDocumento(Connection &conexao, const QString &banco, const QString &nossoNumero,
                                    const QString &numeroDocumento) {
    return QStringLiteral("select boleto_id from ruvenal_boletos where banco = %1 and nosso_numero = %2 and "
                          "numero_documento = %3 order by boleto_id desc limit 1")
        .arg(Literal(conexao, banco), Literal(conexao, nossoNumero), Literal(conexao, numeroDocumento));
}

void RegistraNoBanco(bool imprimir, AmbienteGeracao &amb) {
    QString detalhes;
    try {
        detalhes = amb.bolix.call(QStringLiteral("RegistraBoletos")).toText();
    } catch (const automation::AutomationError &e) {
        Mensagens::atual().erro(QStringLiteral("Os boletos não foram registrados no banco.\r") + e.text());
        return;
    }
    const int registrados = guardaRegistrados(amb.bolix, amb.conexao);
    if (imprimir && registrados > 0)
        amb.bolix.call(QStringLiteral("ImprimeBoletos"));
    Mensagens::atual().mensagem(QStringLiteral("%1 boletos registrados no banco").arg(registrados) +
                                (detalhes.isEmpty() ? QString() : QStringLiteral("\r") + detalhes));
}

bool AnunciaRegistroNoBanco(const ObjetoBolix &bolix) {
    bool pelaApi = false;
    try {
        pelaApi = RegistroPelaApi(bolix);
    } catch (const automation::AutomationError &) {
        return false; // settings the component cannot read are named by the run that needs them
    }
    if (!pelaApi)
        return false;
    try {
        const QString aviso = bolix.get(QStringLiteral("AvisoCertificado")).toText();
        if (!aviso.isEmpty())
            Mensagens::atual().atencao(aviso);
        const QString concluidos = bolix.call(QStringLiteral("ConcluiRegistros")).toText();
        if (!concluidos.isEmpty())
            Mensagens::atual().mensagem(concluidos);
    } catch (const automation::AutomationError &e) {
        Mensagens::atual().atencao(e.text());
    }
    return true;
}
