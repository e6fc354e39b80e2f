#include "generation/RegistroNoBanco.h"

#include "db/Connection.h"
#include "db/Literal.h"
#include "db/ResultSet.h"
#include "retorno/PixDosBoletos.h"
#include "util/Clock.h"
#include "util/Erro.h"
#include "util/Mensagens.h"

#include <optional>

using boleto::ObjetoBolix;

namespace {

const QString situacaoRegistrado = QStringLiteral("Registrado pela API do banco");

// Keeps the bank's QR against the record of the issued boleto, so that a 2ª via prints it too.
class GuardaDoPix {
public:
    GuardaDoPix(const ObjetoBolix &bolix, Connection &conexao)
        : conexao_(conexao), banco_(bolix.get(QStringLiteral("NumeroBanco")).toText()) {}

    void guarda(const PixDoBoleto &pix) {
        if (pix.copiaECola.isEmpty())
            return;
        const ResultSet r = conexao_.abre(
            sqlBoletoEmitidoDoDocumento(conexao_, banco_, pix.nossoNumero, pix.numeroDocumento));
        if (r.vazio())
            return;
        if (!std::exchange(tabelaCriada_, true))
            conexao_.executa(sqlCriaPixDosBoletos());
        conexao_.executa(sqlGuardaPix(conexao_, r.valor(0, "boleto_id").inteiroLongo(), pix, quando_));
    }

private:
    Connection &conexao_;
    QString banco_;
    QDateTime quando_ = Clock::agora();
    bool tabelaCriada_ = false;
};

// The QR of each document of the run the bank registered; the number of them.
int guardaRegistrados(const ObjetoBolix &bolix, GuardaDoPix &guarda) {
    int registrados = 0;
    const int documentos = int(bolix.get(QStringLiteral("DocumentosCobranca.Count")).toInt());
    for (int i = 0; i < documentos; ++i) {
        const ObjetoBolix doc(bolix.item(QStringLiteral("DocumentosCobranca"), i).toObject());
        if (!doc.get(QStringLiteral("RegistradoNoBanco")).toBool())
            continue;
        ++registrados;
        PixDoBoleto pix;
        pix.copiaECola = doc.get(QStringLiteral("PixCopiaECola")).toText();
        pix.numeroDocumento = doc.get(QStringLiteral("NumeroDocumento")).toText();
        pix.nossoNumero = doc.get(QStringLiteral("NossoNumero")).toText();
        pix.situacao = situacaoRegistrado;
        guarda.guarda(pix);
    }
    return registrados;
}

// Told by the component, late-bound, how its registrations go: the bar counts them and says when the bank
// asked to wait.
class ProgressoDoRegistro : public automation::Dispatch {
public:
    explicit ProgressoDoRegistro(const AmbienteGeracao &amb) : amb_(amb) {}
    ~ProgressoDoRegistro() override { situacao({}); }

    automation::Variant get(const QString &membro) override { throw desconhecido(membro); }
    void set(const QString &membro, const automation::Variant &) override { throw desconhecido(membro); }
    automation::Variant call(const QString &membro, const QList<automation::Variant> &args) override {
        if (membro.compare(u"Avanca", Qt::CaseInsensitive) == 0) {
            avanca(args.value(0).toInt(), args.value(1).toInt());
        } else if (membro.compare(u"AguardaBanco", Qt::CaseInsensitive) == 0) {
            esperando_ = true;
            situacao(QStringLiteral("aguardando o banco (%1 s)").arg(args.value(0).toInt()));
        } else {
            throw desconhecido(membro);
        }
        return {};
    }

private:
    static automation::AutomationError desconhecido(const QString &membro) {
        return automation::AutomationError(
            QStringLiteral("Progresso do registro: membro %1 desconhecido.").arg(membro));
    }

    void avanca(qint64 feitas, qint64 total) {
        if (std::exchange(esperando_, false))
            situacao({});
        if (!progresso_ || total != total_)
            progresso_.emplace(total_ = total, amb_.progresso);
        while (progresso_->feitas() < feitas)
            progresso_->avanca();
    }

    void situacao(const QString &texto) const {
        if (amb_.situacao)
            amb_.situacao(texto);
    }

    const AmbienteGeracao &amb_;
    std::optional<Progresso> progresso_;
    qint64 total_ = 0;
    bool esperando_ = false;
};

// The QR of each boleto an interrupted run left and the component finished now (its Pix collection).
void guardaConcluidos(const ObjetoBolix &bolix, GuardaDoPix &guarda) {
    for (const PixDoBoleto &pix : PixDoRetorno(bolix))
        guarda.guarda(pix);
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
        detalhes = amb.bolix
                       .call(QStringLiteral("RegistraBoletos"),
                             {automation::DispatchPtr(std::make_shared<ProgressoDoRegistro>(amb))})
                       .toText();
    } catch (const automation::AutomationError &e) {
        Mensagens::atual().erro(QStringLiteral("Os boletos não foram registrados no banco.\r") + e.text());
        return;
    }
    GuardaDoPix guarda(amb.bolix, amb.conexao);
    guardaConcluidos(amb.bolix, guarda);
    const int registrados = guardaRegistrados(amb.bolix, guarda);
    if (imprimir && registrados > 0)
        amb.bolix.call(QStringLiteral("ImprimeBoletos"));
    Mensagens::atual().mensagem(QStringLiteral("%1 boletos registrados no banco").arg(registrados) +
                                (detalhes.isEmpty() ? QString() : QStringLiteral("\r") + detalhes));
}

bool AnunciaRegistroNoBanco(const ObjetoBolix &bolix, Connection &conexao) {
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
        if (!concluidos.isEmpty()) {
            Mensagens::atual().mensagem(concluidos);
            GuardaDoPix guarda(bolix, conexao);
            guardaConcluidos(bolix, guarda);
        }
    } catch (const automation::AutomationError &e) {
        Mensagens::atual().atencao(e.text());
    } catch (const Erro &e) {
        Mensagens::atual().atencao(
            QStringLiteral("O QR Pix dos boletos concluídos não foi guardado para a 2ª via.\r") + e.texto());
    }
    return true;
}
