#include "bolix/core/Configuracao.h"

#include "bolix/core/Digitos.h"
#include "bolix/core/ErroBolix.h"
#include "bolix/core/bancos/Bancos.h"

#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QUrl>

namespace bolix {

using namespace Qt::StringLiterals;

namespace {

// Windows-1252 differs from Latin-1 only in 0x80..0x9F.
QString deWindows1252(const QByteArray &bytes) {
    static constexpr char16_t faixa80[32] = {0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                             0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD,
                                             0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                             0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};
    QString texto;
    texto.reserve(bytes.size());
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        texto += b >= 0x80 && b < 0xA0 ? QChar(faixa80[b - 0x80]) : QChar(b);
    }
    return texto;
}

QString semAspas(QString valor) {
    valor = valor.trimmed();
    if (valor.size() >= 2 && valor.startsWith(u'"') && valor.endsWith(u'"'))
        valor = valor.mid(1, valor.size() - 2);
    return valor;
}

// The keys of section [Bolix], lower-cased; `achou` tells whether the section was there at all.
QHash<QString, QString> secaoBolix(const QString &texto, bool &achou) {
    QHash<QString, QString> chaves;
    bool dentro = false;
    achou = false;
    for (const QString &bruta : texto.split(u'\n')) {
        const QString linha = bruta.trimmed();
        if (linha.isEmpty() || linha.startsWith(u';') || linha.startsWith(u'#'))
            continue;
        if (linha.startsWith(u'[') && linha.endsWith(u']')) {
            dentro = linha.mid(1, linha.size() - 2).trimmed().compare(u"Bolix", Qt::CaseInsensitive) == 0;
            achou = achou || dentro;
            continue;
        }
        const qsizetype igual = linha.indexOf(u'=');
        if (dentro && igual > 0)
            chaves.insert(linha.left(igual).trimmed().toLower(), semAspas(linha.mid(igual + 1)));
    }
    return chaves;
}

class Leitor {
public:
    Leitor(QString caminho, QHash<QString, QString> chaves)
        : caminho_(std::move(caminho)), chaves_(std::move(chaves)) {}

    [[noreturn]] void recusa(const QString &chave, const QString &motivo) const {
        throw ErroBolix(
            QStringLiteral("Arquivo de configuração do Bolix %1: %2 %3.").arg(caminho_, chave, motivo));
    }

    QString texto(const QString &chave) const { return chaves_.value(chave); }
    // A key written with an empty value says something a missing key does not.
    bool escrita(const QString &chave) const { return chaves_.contains(chave); }

    // A field of digits: exactly `tamanho` digits when given, or `padrao` when absent.
    QString digitos(const QString &chave, int tamanho, const QString &padrao = {}) const {
        return digitosDe(chave, texto(chave).isEmpty() ? padrao : texto(chave), tamanho);
    }

    QString digitosDe(const QString &chave, const QString &valor, int tamanho) const {
        if (valor.isEmpty())
            recusa(chave, QStringLiteral("não informado"));
        if (!soTemDigitos(valor) || valor.size() > tamanho)
            recusa(chave, QStringLiteral("\"%1\" inválido: até %2 dígitos").arg(valor).arg(tamanho));
        return zerosEsquerda(valor, tamanho);
    }

    // One of the values the bank knows, or `padrao` when absent.
    QString umDe(const QString &chave, std::initializer_list<QStringView> aceitos,
                 const QString &padrao) const {
        const QString valor = texto(chave).isEmpty() ? padrao : texto(chave).toUpper();
        QStringList lista;
        for (QStringView a : aceitos) {
            if (a == valor)
                return valor;
            lista.append(a.toString());
        }
        recusa(chave, QStringLiteral("\"%1\" inválido: use %2").arg(valor, lista.join(QStringLiteral(", "))));
    }

private:
    QString caminho_;
    QHash<QString, QString> chaves_;
};

// Itaú's carteiras of the 15-position campo livre are unregistered ones the component does not issue.
void leItau(const Leitor &l, ConfiguracaoBolix &c) {
    c.carteira = l.digitos(QStringLiteral("carteira"), 3, QStringLiteral("109"));
    static const QStringList quinzePosicoes = {u"107"_s, u"122"_s, u"142"_s, u"143"_s, u"196"_s, u"198"_s};
    if (quinzePosicoes.contains(c.carteira))
        l.recusa(QStringLiteral("carteira"),
                 QStringLiteral("\"%1\" inválido: carteira sem registro, de outro código de barras")
                     .arg(c.carteira));
    // Left empty it means no exceptions; only a missing key takes the manual's list.
    const QString chave = QStringLiteral("carteiras_dac_sem_conta");
    const QString lista = l.escrita(chave) ? l.texto(chave) : QStringLiteral("126,131,146,150,168");
    for (const QString &parte : lista.split(u',', Qt::SkipEmptyParts))
        c.carteirasDacSemConta.append(l.digitosDe(chave, parte.trimmed(), 3));
}

// The bank reads the free layout only for convênios of 6 digits in the unregistered carteiras.
void leNossoNumeroLivre(const Leitor &l, ConfiguracaoBolix &c) {
    const QString livre = l.texto(QStringLiteral("nosso_numero_livre")).toUpper();
    if (!livre.isEmpty() && livre != u"S" && livre != u"N")
        l.recusa(QStringLiteral("nosso_numero_livre"),
                 QStringLiteral("\"%1\" inválido: use S ou N").arg(livre));
    c.nossoNumeroLivre = livre == u"S";
    if (c.nossoNumeroLivre && (c.tamanhoConvenio != 6 || (c.carteira != u"16" && c.carteira != u"18")))
        l.recusa(QStringLiteral("nosso_numero_livre"),
                 QStringLiteral("só vale para convênio de 6 dígitos nas carteiras 16 e 18"));
}

void leDadosDoBanco(const Leitor &l, ConfiguracaoBolix &c) {
    if (c.banco == u"001") {
        c.carteira = l.digitos(QStringLiteral("carteira"), 2);
        const QString tamanho = l.texto(QStringLiteral("tamanho_convenio"));
        if (tamanho != u"4" && tamanho != u"6" && tamanho != u"7")
            l.recusa(QStringLiteral("tamanho_convenio"),
                     QStringLiteral("\"%1\" inválido: use 4, 6 ou 7").arg(tamanho));
        c.tamanhoConvenio = tamanho.toInt();
        if (!l.texto(QStringLiteral("variacao")).isEmpty())
            c.variacao = l.digitos(QStringLiteral("variacao"), 3);
        leNossoNumeroLivre(l, c);
    } else if (c.banco == u"237") {
        c.carteira = l.digitos(QStringLiteral("carteira"), 2);
    } else if (c.banco == u"356") {
        c.carteira = l.digitos(QStringLiteral("carteira"), 2, QStringLiteral("20"));
    } else if (c.banco == u"341") {
        leItau(l, c);
    } else if (c.banco == u"033") {
        c.carteira = l.umDe(QStringLiteral("carteira"), {u"101", u"201"}, QStringLiteral("101"));
        c.tipoCobranca = l.umDe(QStringLiteral("tipo_cobranca"), {u"5", u"1"}, QStringLiteral("5"));
    } else if (c.banco == u"748") {
        c.carteira = l.umDe(QStringLiteral("carteira"), {u"1"}, QStringLiteral("1"));
        c.posto = l.digitos(QStringLiteral("posto"), 2);
        c.byteGeracao = l.umDe(QStringLiteral("byte_geracao"),
                               {u"2", u"3", u"4", u"5", u"6", u"7", u"8", u"9"}, QStringLiteral("2"))
                            .toInt();
    } else if (c.banco == u"041") {
        c.carteira = l.umDe(QStringLiteral("carteira"),
                            {u"1", u"2", u"3", u"B", u"D", u"E", u"F", u"G", u"H", u"I", u"J", u"K", u"N",
                             u"P", u"R", u"S", u"T", u"U"},
                            QStringLiteral("1"));
        c.tipoValorPago =
            l.umDe(QStringLiteral("valor_pago"), {u"1", u"2", u"3", u"4", u"5", u"6"}, QStringLiteral("1"))
                .toInt();
    } else if (c.banco == u"756") {
        c.carteira = l.digitos(QStringLiteral("carteira"), 1, QStringLiteral("1"));
        c.modalidade = l.digitos(QStringLiteral("modalidade"), 2, QStringLiteral("01"));
    }
}

// The boleto layout; a bank without a CNAB 400 here keeps CNAB 240, which every bank reads.
void leLayout(const Leitor &l, ConfiguracaoBolix &c) {
    const QString layout = l.texto(QStringLiteral("layout")).toUpper();
    if (layout.isEmpty() || layout == u"CNAB240")
        return;
    if (layout != u"CNAB400")
        l.recusa(QStringLiteral("layout"),
                 QStringLiteral("\"%1\" inválido: use CNAB240 ou CNAB400").arg(layout));
    if (!temCnab400(c.banco))
        l.recusa(QStringLiteral("layout"),
                 QStringLiteral("CNAB400 não disponível para o banco %1: use CNAB240").arg(c.banco));
    c.layout = 400;
}

// What the bank does with a title left unpaid (CNAB 240 segment P 224-227): contracts differ.
void leBaixa(const Leitor &l, ConfiguracaoBolix &c) {
    c.codigoBaixa = l.umDe(QStringLiteral("codigo_baixa"), {u"1", u"2"}, QStringLiteral("1")).toInt();
    c.diasBaixa = l.digitos(QStringLiteral("dias_baixa"), 3, QStringLiteral("030")).toInt();
}

// The Pix key in the form its type gives (the Central Bank's forms: digits only, +55 and the number,
// an e-mail, a random key with hyphens). Printable ASCII only: the files carry the key as typed.
void leChavePix(const Leitor &l, ConfiguracaoBolix &c) {
    c.tipoChavePix = l.umDe(QStringLiteral("tipo_chave_pix"), {u"1", u"2", u"3", u"4", u"5"}, QString());
    static const QRegularExpression formas[] = {
        QRegularExpression(QStringLiteral("^\\d{11}$")),
        QRegularExpression(QStringLiteral("^\\d{14}$")),
        QRegularExpression(QStringLiteral("^\\+55\\d{10,11}$")),
        QRegularExpression(QStringLiteral("^[\\x21-\\x3F\\x41-\\x7E]+@[\\x21-\\x3F\\x41-\\x7E]+$")),
        QRegularExpression(QStringLiteral("^[0-9a-fA-F]{8}(-[0-9a-fA-F]{4}){3}-[0-9a-fA-F]{12}$")),
    };
    if (c.chavePix.size() > 77 || !formas[c.tipoChavePix.toInt() - 1].match(c.chavePix).hasMatch())
        l.recusa(QStringLiteral("chave_pix"),
                 QStringLiteral("\"%1\" inválido para tipo_chave_pix=%2").arg(c.chavePix, c.tipoChavePix));
}

// The Pix QR is the bank's: asked for only where the bank's files carry it.
void lePix(const Leitor &l, ConfiguracaoBolix &c) {
    c.pix = l.umDe(QStringLiteral("pix"), {u"S", u"N"}, QStringLiteral("N")) == u"S";
    // Read with pix=N too: a bank may send the QR's location to a store that asked it directly.
    c.cidadeBeneficiario = l.texto(QStringLiteral("cidade_beneficiario")).trimmed();
    // Through the API the bank attaches the QR with the contract's key: nothing more to read.
    if (!c.pix || c.registroApi)
        return;
    const PixNoArquivo forma = regraDoBanco(c.banco).pixNoArquivo(c.layout);
    if (forma == PixNoArquivo::Nenhum)
        l.recusa(QStringLiteral("pix"),
                 QStringLiteral("\"S\" não disponível para o banco %1 no leiaute CNAB%2: "
                                "os arquivos do banco não trazem o QR Pix")
                     .arg(c.banco)
                     .arg(c.layout));
    if (c.banco == u"341" && c.carteira != u"109")
        l.recusa(QStringLiteral("pix"), QStringLiteral("\"S\" só vale para a carteira 109 do banco 341"));
    // Santander gives the QR only to the boletos of the "rápida com registro" kind (108 = 5).
    if (c.banco == u"033" && c.tipoCobranca != u"5")
        l.recusa(QStringLiteral("tipo_cobranca"),
                 QStringLiteral("\"%1\" não aceita pix=S: o banco 033 só dá o QR Pix com tipo_cobranca=5")
                     .arg(c.tipoCobranca));
    c.chavePix = l.texto(QStringLiteral("chave_pix")).trimmed();
    if (forma == PixNoArquivo::Situacao && !c.chavePix.isEmpty())
        l.recusa(QStringLiteral("chave_pix"),
                 QStringLiteral("não é enviada ao banco %1: o banco cria o QR com a chave do contrato")
                     .arg(c.banco));
    if (forma == PixNoArquivo::Location && c.chavePix.isEmpty())
        l.recusa(QStringLiteral("chave_pix"), QStringLiteral("não informado"));
    if (!c.chavePix.isEmpty())
        leChavePix(l, c);
    if (forma == PixNoArquivo::Location && c.cidadeBeneficiario.isEmpty())
        l.recusa(QStringLiteral("cidade_beneficiario"),
                 QStringLiteral("não informado: o QR Pix se monta com a cidade do beneficiário"));
}

// A secret's value never goes into a message: only whether it is there.
QString obrigatorio(const Leitor &l, const QString &chave) {
    const QString valor = l.texto(chave);
    if (valor.isEmpty())
        l.recusa(chave, QStringLiteral("não informado"));
    return valor;
}

// An address of the API: TLS always, so https only.
QString enderecoHttps(const Leitor &l, const QString &chave, const QString &padrao) {
    const QString valor = l.texto(chave).isEmpty() ? padrao : l.texto(chave);
    const QUrl url(valor, QUrl::StrictMode);
    if (!url.isValid() || url.scheme() != u"https" || url.host().isEmpty())
        l.recusa(chave, QStringLiteral("\"%1\" inválido: informe um endereço https://").arg(valor));
    return valor;
}

int inteiroEntre(const Leitor &l, const QString &chave, int minimo, int maximo, int padrao) {
    const QString valor = l.texto(chave);
    if (valor.isEmpty())
        return padrao;
    bool ok = false;
    const int n = valor.toInt(&ok);
    if (!ok || n < minimo || n > maximo)
        l.recusa(chave, QStringLiteral("\"%1\" inválido: de %2 a %3").arg(valor).arg(minimo).arg(maximo));
    return n;
}

// The client certificate: a PKCS#12 file with its password, or a PEM certificate with its PEM key.
void leCertificado(const Leitor &l, ConfiguracaoApi &a) {
    a.certificado = l.texto(QStringLiteral("api_certificado"));
    if (a.certificado.isEmpty())
        return;
    const QString sufixo = a.certificado.section(u'.', -1).toLower();
    if (sufixo == u"pfx" || sufixo == u"p12")
        a.senhaCertificado = obrigatorio(l, QStringLiteral("api_senha_certificado"));
    else
        a.chaveCertificado = obrigatorio(l, QStringLiteral("api_chave_certificado"));
}

// The bank's addresses where the reference gives them; each one a setting, to be confirmed at the bank.
void leApi(const Leitor &l, ConfiguracaoBolix &c) {
    if (!c.registroApi)
        return;
    if (c.banco != u"001")
        l.recusa(QStringLiteral("registro"),
                 QStringLiteral("\"API\" não disponível para o banco %1: use ARQUIVO").arg(c.banco));
    if (c.tamanhoConvenio != 7 || c.nossoNumeroLivre)
        l.recusa(QStringLiteral("registro"),
                 QStringLiteral("\"API\" pede convênio de 7 dígitos (tamanho_convenio=7)"));
    if (c.variacao.isEmpty())
        l.recusa(QStringLiteral("variacao"),
                 QStringLiteral("não informado: a API pede a variação da carteira"));
    ConfiguracaoApi &a = c.api;
    a.producao = l.umDe(QStringLiteral("ambiente"), {u"HOMOLOGACAO", u"PRODUCAO"}, QString()) == u"PRODUCAO";
    a.clientId = obrigatorio(l, QStringLiteral("api_client_id"));
    a.clientSecret = obrigatorio(l, QStringLiteral("api_client_secret"));
    a.chaveAplicacao = obrigatorio(l, QStringLiteral("api_chave_aplicacao"));
    a.parametroChaveAplicacao = l.texto(QStringLiteral("api_parametro_chave"));
    if (a.parametroChaveAplicacao.isEmpty())
        a.parametroChaveAplicacao = QStringLiteral("gw-dev-app-key");
    leCertificado(l, a);
    a.autoridades = l.texto(QStringLiteral("api_autoridades"));
    a.urlApi = enderecoHttps(l, QStringLiteral("api_url"),
                             a.producao ? QStringLiteral("https://api.bb.com.br/cobrancas/v2")
                                        : QStringLiteral("https://api.hm.bb.com.br/cobrancas/v2"));
    a.urlToken = enderecoHttps(l, QStringLiteral("api_url_token"),
                               a.producao ? QStringLiteral("https://oauth.bb.com.br/oauth/token")
                                          : QStringLiteral("https://oauth.hm.bb.com.br/oauth/token"));
    a.simultaneas = inteiroEntre(l, QStringLiteral("api_simultaneas"), 1, 6, 4);
    a.tempoLimiteSegundos = inteiroEntre(l, QStringLiteral("api_tempo_limite"), 5, 300, 30);
}

} // namespace

bool temCnab400(QStringView banco) {
    return regraDoBanco(banco).leiaute400() != nullptr;
}

ConfiguracaoBolix lerConfiguracao(const QString &caminho) {
    QFile arquivo(caminho);
    if (!arquivo.open(QIODevice::ReadOnly))
        throw ErroBolix(QStringLiteral("Arquivo de configuração do Bolix não encontrado: %1.").arg(caminho));
    bool achouSecao = false;
    const auto chaves = secaoBolix(deWindows1252(arquivo.readAll()), achouSecao);
    if (!achouSecao)
        throw ErroBolix(
            QStringLiteral("Arquivo de configuração do Bolix %1: falta a seção [Bolix].").arg(caminho));
    const Leitor l(caminho, chaves);

    ConfiguracaoBolix c;
    c.banco = l.texto(QStringLiteral("banco"));
    static const QStringList bancos = {u"001"_s, u"033"_s, u"041"_s, u"104"_s, u"237"_s,
                                       u"341"_s, u"356"_s, u"748"_s, u"756"_s};
    if (!bancos.contains(c.banco))
        l.recusa(QStringLiteral("banco"),
                 QStringLiteral("\"%1\" não suportado: use 001, 033, 041, 104, 237, 341, 356, 748 ou 756")
                     .arg(c.banco));
    leDadosDoBanco(l, c);
    c.codigoBeneficiario = l.texto(QStringLiteral("codigo_beneficiario"));
    c.nomeBeneficiario = l.texto(QStringLiteral("nome_beneficiario"));
    if (c.nomeBeneficiario.isEmpty())
        l.recusa(QStringLiteral("nome_beneficiario"), QStringLiteral("não informado"));
    c.inscricaoBeneficiario = soDigitos(l.texto(QStringLiteral("inscricao_beneficiario")));
    if (c.inscricaoBeneficiario.size() != 11 && c.inscricaoBeneficiario.size() != 14)
        l.recusa(QStringLiteral("inscricao_beneficiario"),
                 QStringLiteral("\"%1\" inválido: informe o CNPJ ou o CPF")
                     .arg(l.texto(QStringLiteral("inscricao_beneficiario"))));
    c.pastaPdf = l.texto(QStringLiteral("pasta_pdf"));
    const QString imprimir = l.texto(QStringLiteral("imprimir")).toUpper();
    if (!imprimir.isEmpty() && imprimir != u"S" && imprimir != u"N")
        l.recusa(QStringLiteral("imprimir"), QStringLiteral("\"%1\" inválido: use S ou N").arg(imprimir));
    c.imprimir = imprimir != u"N";
    leLayout(l, c);
    leBaixa(l, c);
    c.registroApi =
        l.umDe(QStringLiteral("registro"), {u"ARQUIVO", u"API"}, QStringLiteral("ARQUIVO")) == u"API";
    lePix(l, c);
    leApi(l, c);
    return c;
}

} // namespace bolix
