#include "bolix/core/Boleto.h"
#include "bolix/core/Digitos.h"
#include "bolix/core/Documento.h"
#include "bolix/core/ErroBolix.h"
#include "bolix/core/bancos/Bancos.h"
#include "bolix/core/cnab/Registro.h"
#include "bolix/core/cnab/Remessa.h"

#include <QHash>

namespace bolix {

QString codigoEspecie(const Documento &doc) {
    static const QHash<QString, QString> codigos = {
        {"CH", "01"},  {"DM", "02"},  {"DMI", "03"}, {"DS", "04"},  {"DSI", "05"}, {"DR", "06"},
        {"LC", "07"},  {"NCC", "08"}, {"NCE", "09"}, {"NCI", "10"}, {"NCR", "11"}, {"NP", "12"},
        {"NPR", "13"}, {"TM", "14"},  {"TS", "15"},  {"NS", "16"},  {"RC", "17"},  {"FAT", "18"},
        {"ND", "19"},  {"AP", "20"},  {"ME", "21"},  {"PC", "22"},  {"NF", "23"},  {"DD", "24"}};
    const QString especie = doc.tipoDocumentoCobranca.trimmed().toUpper();
    if (especie.isEmpty())
        return QStringLiteral("99");
    const auto codigo = codigos.constFind(especie);
    if (codigo == codigos.cend())
        recusaDocumento(doc, QStringLiteral("TipoDocumentoCobranca"), doc.tipoDocumentoCobranca,
                        QStringLiteral("espécie desconhecida"));
    return *codigo;
}

InscricaoSacado inscricaoValida(const Documento &doc) {
    const InscricaoSacado inscricao = inscricaoSacado(doc);
    if (inscricao.tipo == 0)
        recusaDocumento(doc, inscricao.membro, inscricao.texto,
                        QStringLiteral("informe 11 dígitos (CPF) ou 14 (CNPJ)"));
    return inscricao;
}

QString estadoSacado(const Documento &doc) {
    const QString uf = doc.estadoSacado.trimmed();
    if (!uf.isEmpty() && (uf.size() != 2 || !uf[0].isLetter() || !uf[1].isLetter()))
        recusaDocumento(doc, QStringLiteral("EstadoSacado"), doc.estadoSacado,
                        QStringLiteral("informe a sigla de 2 letras"));
    return uf;
}

QString cepSacado(const Documento &doc) {
    const QString cep = soDigitos(doc.cepSacado);
    if (cep.size() != 8)
        recusaDocumento(doc, QStringLiteral("CepSacado"), doc.cepSacado,
                        QStringLiteral("informe os 8 dígitos"));
    return cep;
}

QString controleDoParticipante(const Documento &doc) {
    const QString controle =
        (doc.numeroControle.trimmed().isEmpty() ? doc.numeroDocumento : doc.numeroControle).trimmed();
    if (controle.size() > 25)
        recusaDocumento(doc, QStringLiteral("NumeroControle"), controle, QStringLiteral("até 25 caracteres"));
    return controle;
}

QStringList recusasDoSacado240(const Documento &doc) {
    QStringList recusas;
    anotaRecusa(recusas, [&] { inscricaoValida(doc); });
    anotaRecusa(recusas, [&] { estadoSacado(doc); });
    anotaRecusa(recusas, [&] { cepSacado(doc); });
    return recusas;
}

namespace {

class Remessa240 {
public:
    Remessa240(const ContaConfigurada &conta, int sequencia, const QDateTime &geracao)
        : conta_(conta), banco_(regraDoBanco(conta.configuracao.banco)), sequencia_(sequencia),
          geracao_(geracao), convenio_(contaDoArquivo240(conta).convenio) {}

    QList<QByteArray> linhas(const QList<Documento> &docs) {
        linhas_.append(headerArquivo().linha());
        linhas_.append(headerLote().linha());
        for (const Documento &doc : docs) {
            // A lot numbers its records in five digits; a title takes at most three.
            if (registrosLote_ + 3 > 99999) {
                fechaLote();
                linhas_.append(headerLote().linha());
            }
            titulo(doc);
        }
        fechaLote();
        linhas_.append(trailerArquivo().linha());
        return std::move(linhas_);
    }

private:
    Registro inicio(int lote, char tipo) const {
        Registro r(240);
        r.digitos(1, 3, banco_.codigo()).numero(4, 7, lote).numero(8, 8, tipo - '0');
        return r;
    }

    // Payee inscription, code at the bank, branch and account: the same run in both headers.
    void empresa(Registro &r, int inicio, int larguraInscricao) const {
        const QString &inscricao = conta_.configuracao.inscricaoBeneficiario;
        const int p = inicio + 1 + larguraInscricao; // first position after the inscription
        r.numero(inicio, inicio, inscricao.size() == 14 ? 2 : 1)
            .digitos(inicio + 1, p - 1, inscricao)
            .texto(p, p + 19, convenio_)
            .texto(p + 40, p + 69, conta_.configuracao.nomeBeneficiario);
        banco_.contaCnab240(r, p + 20, conta_);
    }

    Registro headerArquivo() const {
        Registro r = inicio(0, '0');
        empresa(r, 18, 14);
        r.texto(103, 132, banco_.nome())
            .numero(143, 143, 1)
            .data(144, geracao_.date())
            .digitos(152, 157, geracao_.time().toString(QStringLiteral("HHmmss")))
            .numero(158, 163, sequencia_)
            .digitos(164, 166, banco_.versaoArquivo240(conta_))
            .numero(167, 171, 0);
        banco_.ajustaRemessa240(Registro240::HeaderArquivo, r, conta_, nullptr);
        return r;
    }

    void fechaLote() {
        linhas_.append(trailerLote().linha());
        registrosArquivo_ += registrosLote_ + 2;
        registrosLote_ = 0;
        titulos_ = 0;
        total_ = 0;
        ++lote_;
    }

    Registro headerLote() const {
        Registro r = inicio(lote_, '1');
        r.texto(9, 9, u"R").numero(10, 11, 1).digitos(14, 16, banco_.versaoLote240(conta_));
        empresa(r, 18, 15);
        r.numero(184, 191, sequencia_).data(192, geracao_.date()).numero(200, 207, 0);
        banco_.ajustaRemessa240(Registro240::HeaderLote, r, conta_, nullptr);
        return r;
    }

    Registro detalhe(char segmento, const QString &movimento = QStringLiteral("01")) {
        Registro r = inicio(lote_, '3');
        r.numero(9, 13, ++registrosLote_)
            .texto(14, 14, QString(QLatin1Char(segmento)))
            .digitos(16, 17, movimento);
        return r;
    }

    void titulo(const Documento &doc) {
        if (doc.numeroDocumento.trimmed().isEmpty() || doc.numeroDocumento.size() > 15)
            recusaDocumento(doc, QStringLiteral("NumeroDocumento"), doc.numeroDocumento,
                            QStringLiteral("informe até 15 caracteres"));
        const std::int64_t valor = centavosCobrados(doc);
        linhas_.append(segmentoP(doc, valor).linha());
        linhas_.append(segmentoQ(doc).linha());
        if (temMulta(doc) || doc.valorDesconto > 0 || doc.percentualDesconto > 0)
            linhas_.append(segmentoR(doc).linha());
        ++titulos_;
        total_ += valor;
    }

    static bool temMulta(const Documento &doc) {
        return doc.valorMultaAtraso > 0 || doc.percentualMultaAtraso > 0;
    }

    QString campoNossoNumero(const Documento &doc) const {
        if (doc.bancoGeraNossoNumero && doc.nossoNumero.trimmed().isEmpty())
            return {};
        return nossoNumeroDoDocumento(conta_, doc).campoCnab;
    }

    Registro segmentoP(const Documento &doc, std::int64_t valor) {
        const QDate venc = doc.dataVencimento;
        const QDate diaSeguinte = venc.isNull() ? QDate() : venc.addDays(1);
        const QString forma = valorDe(doc.meusDados, u"FormaCadastramento");
        const bool escritural = valorDe(doc.meusDados, u"TipoDocumentoEscritural") == u"2";
        const bool bancoDistribui = valorDe(doc.meusDados, u"BancoDistribuiBoleto").toUpper() == u"S";
        if (doc.diasProtesto < 0 || doc.diasProtesto > 99)
            recusaDocumento(doc, QStringLiteral("DiasProtesto"), QString::number(doc.diasProtesto),
                            QStringLiteral("use de 0 a 99"));

        Registro r = detalhe('P');
        banco_.contaCnab240(r, 18, conta_);
        r.texto(38, 57, campoNossoNumero(doc))
            .numero(58, 58, 1)
            .digitos(59, 59, forma == u"2" ? QStringLiteral("2") : QStringLiteral("1"))
            .numero(60, 60, escritural ? 2 : 1)
            .numero(61, 61, doc.bancoEmiteBoleto ? 1 : 2)
            .numero(62, 62, bancoDistribui ? 1 : 2)
            .texto(63, 77, doc.numeroDocumento.trimmed())
            .data(78, venc)
            .numero(86, 100, valor)
            .numero(101, 105, 0)
            .numero(106, 106, 0)
            .digitos(107, 108, codigoEspecie(doc))
            .texto(109, 109, QString(aceiteDoDocumento(conta_, doc)))
            .data(110, doc.dataDocumento);
        juros(r, doc, diaSeguinte);
        desconto(r, doc);
        const QString controle = controleDoParticipante(doc);
        const QChar protesto = codigoProtesto(doc);
        r.numero(166, 195, 0)
            .texto(196, 220, controle)
            .digitos(221, 221, QString(protesto))
            .numero(222, 223, protesto == u'3' ? 0 : doc.diasProtesto)
            .numero(224, 224, conta_.configuracao.codigoBaixa)
            .numero(225, 227, conta_.configuracao.codigoBaixa == 1 ? conta_.configuracao.diasBaixa : 0)
            .digitos(228, 229, u"09")
            .numero(230, 239, 0);
        banco_.ajustaRemessa240(Registro240::SegmentoP, r, conta_, &doc);
        return r;
    }

    // A value per day, or the daily percentage as the monthly rate the layout carries.
    static void juros(Registro &r, const Documento &doc, const QDate &inicio) {
        if (doc.valorJurosDiaAtraso > 0)
            r.numero(118, 118, 1).data(119, inicio).numero(127, 141, centavos(doc.valorJurosDiaAtraso));
        else if (doc.percentualJurosDiaAtraso > 0)
            r.numero(118, 118, 2)
                .data(119, inicio)
                .numero(127, 141, centavos(doc.percentualJurosDiaAtraso * 30));
        else
            r.numero(118, 118, 3).data(119, QDate()).numero(127, 141, 0);
    }

    static void desconto(Registro &r, const Documento &doc) {
        if (doc.valorDesconto > 0)
            r.numero(142, 142, 1).data(143, doc.dataVencimento).numero(151, 165, centavos(doc.valorDesconto));
        else if (doc.percentualDesconto > 0)
            r.numero(142, 142, 2)
                .data(143, doc.dataVencimento)
                .numero(151, 165, centavos(doc.percentualDesconto));
        else
            r.numero(142, 142, 0).data(143, QDate()).numero(151, 165, 0);
    }

    Registro segmentoQ(const Documento &doc) {
        const InscricaoSacado inscricao = inscricaoValida(doc);
        const QString cep = cepSacado(doc);
        Registro r = detalhe('Q');
        r.numero(18, 18, inscricao.tipo)
            .digitos(19, 33, inscricao.digitos)
            .texto(34, 73, doc.nomeSacado.trimmed())
            .texto(74, 113, doc.enderecoSacado.trimmed())
            .texto(114, 128, doc.bairroSacado.trimmed())
            .digitos(129, 136, cep)
            .texto(137, 151, doc.cidadeSacado.trimmed())
            .texto(152, 153, estadoSacado(doc))
            .numero(154, 169, 0)
            .numero(210, 212, 0);
        banco_.ajustaRemessa240(Registro240::SegmentoQ, r, conta_, &doc);
        return r;
    }

    Registro segmentoR(const Documento &doc) {
        Registro r = detalhe('R');
        r.numero(18, 65, 0);
        const QDate inicioMulta = doc.dataVencimento.isNull() ? QDate() : doc.dataVencimento.addDays(1);
        if (doc.valorMultaAtraso > 0)
            r.numero(66, 66, 1).data(67, inicioMulta).numero(75, 89, centavos(doc.valorMultaAtraso));
        else if (doc.percentualMultaAtraso > 0)
            r.numero(66, 66, 2).data(67, inicioMulta).numero(75, 89, centavos(doc.percentualMultaAtraso));
        else
            r.numero(66, 89, 0);
        r.numero(200, 215, 0).numero(217, 228, 0).numero(231, 231, 0);
        banco_.ajustaRemessa240(Registro240::SegmentoR, r, conta_, &doc);
        return r;
    }

    Registro trailerLote() const {
        Registro r = inicio(lote_, '5');
        r.numero(18, 23, registrosLote_ + 2)
            .numero(24, 29, titulos_)
            .numero(30, 46, total_)
            .numero(47, 115, 0);
        banco_.ajustaRemessa240(Registro240::TrailerLote, r, conta_, nullptr);
        return r;
    }

    Registro trailerArquivo() const {
        Registro r = inicio(9999, '9');
        r.numero(18, 23, lote_ - 1).numero(24, 29, registrosArquivo_ + 2).numero(30, 35, 0);
        banco_.ajustaRemessa240(Registro240::TrailerArquivo, r, conta_, nullptr);
        return r;
    }

    const ContaConfigurada &conta_;
    const RegraBanco &banco_;
    int sequencia_;
    QDateTime geracao_;
    QString convenio_;
    QList<QByteArray> linhas_;
    int lote_ = 1;
    int registrosLote_ = 0;
    int registrosArquivo_ = 0;
    int titulos_ = 0;
    std::int64_t total_ = 0;
};

} // namespace

QList<QByteArray> remessa240(const ContaConfigurada &conta, const QList<Documento> &docs, int sequencia,
                             const QDateTime &geracao) {
    return Remessa240(conta, sequencia, geracao).linhas(docs);
}

} // namespace bolix
