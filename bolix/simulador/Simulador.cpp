#include "Simulador.h"

#include "ApiNaLinhaDeComando.h"

#include "bolix/core/ErroBolix.h"
#include "bolix/core/bancos/Bancos.h"
#include "bolix/core/cnab/LinhasCnab.h"
#include "bolix/core/cnab/Registro.h"
#include "bolix/core/cnab/Remessa.h"
#include "bolix/core/pix/BrCode.h"

#include <QFile>
#include <QTextStream>

namespace bolix::simulador {

namespace {

class LeituraRemessa {
public:
    explicit LeituraRemessa(const QByteArray &conteudo) {
        // No width: the first line tells the layout.
        LinhasCnab arquivo(conteudo, 0);
        for (QByteArrayView linha; arquivo.proxima(linha);)
            linhas_.append(linha.toByteArray());
        if (linhas_.isEmpty())
            throw ErroBolix(QStringLiteral("Remessa vazia."));
    }

    // Lines of the expected length, first line counted as 1.
    const QList<QByteArray> &linhas(int tamanho) const {
        for (qsizetype i = 0; i < linhas_.size(); ++i)
            if (linhas_[i].size() != tamanho)
                throw ErroBolix(QStringLiteral("Remessa, linha %1: tamanho %2, esperado %3.")
                                    .arg(i + 1)
                                    .arg(linhas_[i].size())
                                    .arg(tamanho));
        return linhas_;
    }

    qsizetype tamanhoPrimeira() const { return linhas_.first().size(); }

private:
    QList<QByteArray> linhas_;
};

std::int64_t numero(const QByteArray &linha, int inicio, int fim) {
    return linha.mid(inicio - 1, fim - inicio + 1).toLongLong();
}

class Retorno240 {
public:
    Retorno240(const Pedido &pedido, const QDate &data) : pedido_(pedido), data_(data) {}

    // Each lot of the remittance is answered by a lot of the return, with two segments per title.
    QList<QByteArray> responde(const QList<QByteArray> &remessa) {
        QList<QByteArray> saida;
        saida.append(headerArquivo(remessa));
        int lotes = 0;
        for (qsizetype i = 1; i < remessa.size(); ++i) {
            const QByteArray &linha = remessa[i];
            if (linha[7] == '1') {
                saida.append(Registro(linha).texto(9, 9, u"T").data(192, data_).data(200, data_).linha());
                registros_ = titulosLote_ = 0;
                valorLote_ = 0;
            } else if (linha[7] == '3' && linha[13] == 'P') {
                titulo(linha, i + 1 < remessa.size() ? remessa[i + 1] : QByteArray(), saida);
            } else if (linha[7] == '5') {
                saida.append(trailerLote(linha));
                ++lotes;
            }
        }
        Registro arquivo(240);
        arquivo.digitos(1, 3, QString::fromLatin1(remessa.first().left(3)))
            .numero(4, 7, 9999)
            .numero(8, 8, 9)
            .numero(18, 23, lotes)
            .numero(24, 29, saida.size() + 1)
            .numero(30, 35, 0);
        saida.append(arquivo.linha());
        return saida;
    }

private:
    // The remittance's header as a return's, with the account where the bank's return header has it,
    // taken from the first title's segment P.
    QByteArray headerArquivo(const QList<QByteArray> &remessa) const {
        Registro h(remessa.first());
        h.numero(143, 143, 2).data(144, data_);
        const Leiaute240 &l = regraDoBanco(QString::fromLatin1(remessa.first().left(3))).leiaute240();
        const auto p = std::find_if(remessa.cbegin(), remessa.cend(),
                                    [](const QByteArray &r) { return r[7] == '3' && r[13] == 'P'; });
        if (p == remessa.cend())
            return h.linha();
        if (l.convenioArquivo.inicio != 33)
            h.texto(33, 72, u"");
        const auto campo = [&p](Faixa f) {
            return QString::fromLatin1(p->mid(f.inicio - 1, f.fim - f.inicio + 1));
        };
        h.digitos(l.agenciaArquivo.inicio, l.agenciaArquivo.fim, campo(l.agenciaRemessa))
            .digitos(l.contaArquivo.inicio, l.contaArquivo.fim, campo(l.contaRemessa));
        return h.linha();
    }

    void titulo(const QByteArray &p, const QByteArray &q, QList<QByteArray> &saida) {
        if (q.size() != 240 || q[13] != 'Q')
            throw ErroBolix(QStringLiteral("Remessa: o título %1 não tem segmento Q.").arg(titulos_ + 1));
        const int n = ++titulos_;
        const bool pago = pedido_.todosPagos || pedido_.pagos.contains(n);
        const std::int64_t valorTitulo = numero(p, 86, 100);
        const std::int64_t valorPago = pago ? pedido_.valores.value(n, valorTitulo * 100) / 100 : 0;
        const QString movimento = pago ? QStringLiteral("06") : QStringLiteral("02");
        const QString banco = QString::fromLatin1(p.left(3));
        const Leiaute240 &l = regraDoBanco(banco).leiaute240();
        const auto campo = [&p](Faixa f) {
            return QString::fromLatin1(p.mid(f.inicio - 1, f.fim - f.inicio + 1));
        };

        const QString lote = QString::fromLatin1(p.mid(3, 4));
        Registro t(240);
        t.digitos(1, 3, banco).digitos(4, 7, lote).numero(8, 8, 3).numero(9, 13, ++registros_);
        t.texto(14, 14, u"T").digitos(16, 17, movimento);
        t.texto(18, 37, campo({18, 37}))
            .texto(58, 58, campo({58, 58}))
            .digitos(97, 99, banco)
            .numero(100, 104, 0)
            .digitos(131, 132, u"09")
            .texto(133, 188, QString::fromLatin1(q.mid(17, 56)))
            .numero(189, 213, 0);
        // The bank's own places last, over the FEBRABAN ones they may overlap.
        t.texto(l.nossoNumero.inicio, l.nossoNumero.fim, campo(l.nossoNumeroRemessa))
            .texto(l.numeroDocumento.inicio, l.numeroDocumento.fim, campo(l.documentoRemessa))
            .texto(l.vencimento, l.vencimento + 7, campo({78, 85}))
            .numero(l.valorTitulo.inicio, l.valorTitulo.fim, valorTitulo)
            .texto(l.identificacaoTitulo.inicio, l.identificacaoTitulo.fim, campo({196, 220}))
            .numero(l.tarifa.inicio, l.tarifa.fim, 0)
            .texto(l.motivos.inicio, l.motivos.fim, u"");
        saida.append(t.linha());

        Registro u(240);
        u.digitos(1, 3, banco).digitos(4, 7, lote).numero(8, 8, 3).numero(9, 13, ++registros_);
        u.texto(14, 14, u"U").digitos(16, 17, movimento);
        u.numero(18, 77, 0)
            .numero(78, 92, valorPago)
            .numero(93, 107, valorPago)
            .numero(108, 137, 0)
            .data(138, data_)
            .data(146, pago ? data_.addDays(1) : QDate())
            .numero(158, 180, 0)
            .numero(211, 213, 0);
        saida.append(u.linha());
        ++titulosLote_;
        valorLote_ += valorTitulo;
    }

    // Like a bank, counts every title of the lot with its face value, paid or not.
    QByteArray trailerLote(const QByteArray &trailerRemessa) const {
        Registro r(240);
        r.digitos(1, 3, QString::fromLatin1(trailerRemessa.left(3)))
            .digitos(4, 7, QString::fromLatin1(trailerRemessa.mid(3, 4)))
            .numero(8, 8, 5)
            .numero(18, 23, registros_ + 2)
            .numero(24, 29, titulosLote_)
            .numero(30, 46, valorLote_)
            .numero(47, 115, 0);
        return r.linha();
    }

    const Pedido &pedido_;
    QDate data_;
    int titulos_ = 0;
    int registros_ = 0;
    int titulosLote_ = 0;
    std::int64_t valorLote_ = 0; // cents
};

// The banks whose CNAB 400 remittance the simulator answers.
const QStringList bancos400 = {QStringLiteral("001"), QStringLiteral("033"), QStringLiteral("041"),
                               QStringLiteral("104"), QStringLiteral("237"), QStringLiteral("341"),
                               QStringLiteral("748"), QStringLiteral("756")};

// The CNAB 400 answer of each bank in bancos400: the header, one type 1 per title of the remittance
// (its type 2 records carry nothing the return repeats), the trailer with each bank's figures.
class Retorno400 {
public:
    Retorno400(const Pedido &pedido, const QDate &data) : pedido_(pedido), data_(data) {}

    QList<QByteArray> responde(const QList<QByteArray> &remessa) {
        const QByteArray &header = remessa.first();
        banco_ = QString::fromLatin1(header.mid(76, 3));
        if (!bancos400.contains(banco_))
            throw ErroBolix(QStringLiteral("Remessa CNAB 400 do banco %1: o simulador responde só às dos "
                                           "bancos %2.")
                                .arg(banco_, bancos400.join(u", ")));
        Registro h(400);
        h.texto(1, 26, u"02RETORNO01COBRANCA")
            .texto(27, 94, QString::fromLatin1(header.mid(26, 68)))
            .dataCurta(95, data_);
        if (itau())
            h.numero(101, 105, 0).texto(106, 108, u"BPI").numero(109, 113, 1).dataCurta(114, credito());
        else if (santander()) // the código do beneficiário (109-117) blank, as older editions leave it
            h.numero(101, 108, 0);
        else if (sicredi())
            h.dataAnoMesDia(95, data_).numero(111, 117, 1);
        else if (sicoob())
            h.numero(101, 107, 1);
        else if (bancoDoBrasil())
            h.numero(101, 107, 1).texto(150, 156, QString::fromLatin1(header.mid(129, 7)));
        else if (!banrisul() && !caixa())
            h.numero(101, 113, 0).dataCurta(380, credito());
        acrescenta(h);
        codigoDoHeader_ = QString::fromLatin1(header.mid(26, 5));
        nomeBeneficiario_ = QString::fromLatin1(header.mid(46, 30)).trimmed();
        for (qsizetype i = 0; i < remessa.size(); ++i) {
            const QByteArray &linha = remessa[i];
            if (!linha.startsWith('1') && !(bancoDoBrasil() && linha.startsWith('7')))
                continue;
            const PedidoPix pix = pedidoPix(remessa, i);
            const bool pago = paga(titulos_ + 1);
            acrescenta(titulo(linha, pix));
            if (pix.pedido && !pago)
                acrescenta(confirmacaoPix(linha, pix));
        }
        acrescenta(trailer());
        return std::move(saida_);
    }

private:
    bool itau() const { return banco_ == u"341"; }
    bool santander() const { return banco_ == u"033"; }
    bool sicredi() const { return banco_ == u"748"; }
    bool banrisul() const { return banco_ == u"041"; }
    bool sicoob() const { return banco_ == u"756"; }
    bool caixa() const { return banco_ == u"104"; }
    bool bancoDoBrasil() const { return banco_ == u"001"; }
    QDate credito() const { return data_.addDays(1); }
    bool paga(int n) const { return pedido_.todosPagos || pedido_.pagos.contains(n); }

    // The title's request for the bank's Pix QR: Itaú's movement 71, Santander's record 8 after the title
    // (with the payee's txid, or blank for one of the bank's).
    struct PedidoPix {
        bool pedido = false;
        QString txid;
    };
    PedidoPix pedidoPix(const QList<QByteArray> &remessa, qsizetype i) const {
        if (itau())
            return {remessa[i].mid(108, 2) == "71", {}};
        if (santander() && i + 1 < remessa.size() && remessa[i + 1].startsWith('8'))
            return {true, QString::fromLatin1(remessa[i + 1].mid(120, 35)).trimmed()};
        return {};
    }

    // The entry's confirmation of a title that asked for the QR: Itaú's record 3 with the whole BR Code,
    // Santander's record 2 with the charge's location and txid. The location is the simulator's own, on
    // a host that resolves nowhere.
    Registro confirmacaoPix(const QByteArray &remessa, const PedidoPix &pix) const {
        const QString cobranca = QStringLiteral("pix.simulador.invalid/qr/v2/cobv/");
        Registro r(400);
        if (itau()) {
            const QString id = QString::fromLatin1(remessa.mid(17, 12) + remessa.mid(62, 8));
            return r.numero(1, 1, 3)
                .textoExato(2, 391,
                            brCodeDaLocation(cobranca + id, nomeBeneficiario_, QStringLiteral("SAO PAULO"))
                                .toLatin1())
                .numero(392, 394, 0);
        }
        const QString txid = pix.txid.isEmpty()
                                 ? QStringLiteral("SIMULADOR%1").arg(titulos_, 17, 10, QLatin1Char('0'))
                                 : pix.txid;
        return r.numero(1, 1, 2)
            .textoExato(3, 79, (cobranca + txid).toLatin1())
            .textoExato(80, 114, txid.toLatin1())
            .numero(392, 394, 0);
    }

    // 018-039 are the portfolio's titles, here the remittance's as if the store had no others; Itaú
    // leaves them at zero and counts the file in 213-234, Bradesco counts it by occurrence from 058.
    Registro trailer() const {
        Registro t(400);
        if (sicredi())
            return t.texto(1, 5, u"92748").texto(6, 10, codigoDoHeader_);
        if (caixa() || bancoDoBrasil())
            return t.texto(1, 4, u"9201").digitos(5, 7, banco_);
        if (banrisul())
            return t.texto(1, 1, u"9").numero(18, 25, titulos_).numero(26, 39, valores_);
        if (sicoob())
            return t.texto(1, 6, u"902756")
                .texto(7, 10, codigoDoHeader_.left(4))
                .data(156, data_)
                .numero(164, 171, saida_.size() + 1);
        t.texto(1, 4, u"9201").digitos(5, 7, banco_).numero(40, 47, 0);
        if (itau()) {
            t.numero(18, 39, 0).numero(213, 220, titulos_).numero(221, 234, valores_);
        } else if (santander()) {
            t.numero(18, 25, titulos_).numero(26, 39, valores_);
        } else {
            // The groups' counts have five digits: a larger file keeps the highest they hold.
            t.numero(18, 25, titulos_)
                .numero(26, 39, valores_)
                .numero(58, 188, 0)
                .numero(58, 62, std::min(entradas_, 99'999))
                .numero(63, 74, valorEntradas_)
                .numero(87, 91, std::min(titulos_ - entradas_, 99'999));
        }
        return t;
    }

    void acrescenta(Registro r) {
        r.numero(395, 400, saida_.size() + 1);
        saida_.append(r.linha());
    }

    // Of the paid titles that asked for the QR, the even ones are paid through it.
    Registro titulo(const QByteArray &remessa, const PedidoPix &pix) {
        const int n = ++titulos_;
        const bool pago = paga(n);
        const bool porPix = pix.pedido && pago && n % 2 == 0;
        const std::int64_t valorTitulo = numero(remessa, 127, 139);
        const std::int64_t valorPago = pago ? pedido_.valores.value(n, valorTitulo * 100) / 100 : 0;
        const std::int64_t tarifa = pago ? pedido_.tarifa / 100 : 0;
        valores_ += valorTitulo;
        if (!pago) {
            ++entradas_;
            valorEntradas_ += valorTitulo;
        }
        const auto campo = [&](int inicio, int fim) {
            return QString::fromLatin1(remessa.mid(inicio - 1, fim - inicio + 1));
        };
        Registro r(400);
        r.numero(1, 1, 1)
            .texto(38, 62, campo(38, 62))
            .digitos(109, 110, pago ? QStringLiteral("06") : QStringLiteral("02"))
            .dataCurta(111, data_)
            .texto(117, 126, campo(111, 120))
            .texto(147, 152, campo(121, 126))
            .numero(153, 165, valorTitulo)
            .digitos(166, 168, banco_)
            .numero(169, 173, 0)
            .numero(176, 188, tarifa)
            .numero(189, 253, 0)
            // Itaú credits the payment net of its fee; Bradesco reports what the payer paid.
            .numero(254, 266, itau() ? std::max<std::int64_t>(0, valorPago - tarifa) : valorPago)
            .numero(267, 292, 0)
            .dataCurta(296, pago ? credito() : QDate());
        if (itau())
            r.texto(2, 29, campo(2, 29))
                .texto(63, 70, campo(63, 70))
                .texto(83, 85, campo(84, 86))
                .texto(86, 94, campo(63, 70) + digitoItau(remessa))
                .texto(108, 108, campo(108, 108))
                .texto(127, 134, campo(63, 70))
                .texto(174, 175, campo(148, 149));
        else if (sicredi())
            r.texto(38, 62, u"")
                .texto(48, 62, campo(48, 56))
                .texto(296, 301, u"")
                .dataAnoMesDia(329, pago ? credito() : QDate());
        else if (caixa()) // its own codes: 21 paid, 01 entry confirmed
            r.digitos(109, 110, pago ? QStringLiteral("21") : QStringLiteral("01"))
                .texto(21, 27, campo(21, 27))
                .texto(32, 56, campo(32, 56))
                .texto(57, 73, campo(57, 73))
                .texto(296, 301, u"")
                .dataCurta(294, pago ? credito() : QDate());
        else if (bancoDoBrasil()) // record 7; the fee and the credit date as Sicoob's
            r.numero(1, 1, 7)
                .texto(18, 80, campo(18, 80))
                .texto(107, 108, campo(107, 108))
                .dataCurta(176, pago ? credito() : QDate())
                .numero(182, 188, tarifa)
                .texto(296, 301, u"");
        else if (sicoob()) // the fee and the credit date where Banco do Brasil has them
            r.texto(18, 31, campo(18, 31))
                .texto(63, 74, campo(63, 74))
                .texto(107, 108, campo(107, 108))
                .dataCurta(176, pago ? credito() : QDate())
                .numero(182, 188, tarifa)
                .texto(296, 301, u"");
        else if (banrisul())
            r.texto(18, 30, campo(18, 30)).texto(63, 72, campo(63, 72)).texto(108, 108, campo(108, 108));
        else if (santander())
            r.texto(2, 37, campo(2, 37))
                .texto(63, 70, campo(63, 70))
                .texto(108, 108, campo(108, 108))
                .texto(127, 134, campo(63, 70))
                .texto(137, 139, pix.pedido ? (porPix ? u"511" : (pago ? u"" : u"508")) : u"")
                .texto(174, 175, campo(148, 149));
        else
            r.numero(2, 17, 0).texto(21, 37, campo(21, 37)).texto(71, 82, campo(71, 82)).numero(319, 328, 0);
        if (itau() && porPix)
            r.digitos(109, 110, u"10");
        return r;
    }

    // The nosso número's DAC as the bank's rule gives it, from the branch, account and carteira sent.
    static QString digitoItau(const QByteArray &remessa) {
        ContaConfigurada conta;
        conta.configuracao.banco = QStringLiteral("341");
        conta.configuracao.carteira = QString::fromLatin1(remessa.mid(83, 3));
        conta.agencia = QString::fromLatin1(remessa.mid(17, 4));
        conta.conta = QString::fromLatin1(remessa.mid(23, 5));
        conta.dvConta = QString::fromLatin1(remessa.mid(28, 1));
        return regraDoBanco(u"341")
            .nossoNumero(conta, QString::fromLatin1(remessa.mid(62, 8)), Documento())
            .digito;
    }

    const Pedido &pedido_;
    QDate data_;
    QString banco_;
    int titulos_ = 0;
    std::int64_t valores_ = 0; // cents
    QString codigoDoHeader_;   // 027-031, which Sicredi's and Sicoob's trailers repeat
    QString nomeBeneficiario_; // 047-076 of the header, the payee of the QRs
    int entradas_ = 0;         // titles answered with their entry confirmed (02)
    std::int64_t valorEntradas_ = 0;
    QList<QByteArray> saida_;
};

QList<QByteArray> retorno150(const QList<QByteArray> &remessa, const Pedido &pedido) {
    QList<QByteArray> saida;
    saida.append(Registro(remessa.first()).numero(2, 2, 2).linha());
    std::int64_t total = 0;
    int debito = 0;
    for (qsizetype i = 1; i < remessa.size(); ++i) {
        const QByteArray &e = remessa[i];
        if (e[0] != 'E')
            continue;
        const QString codigo = pedido.codigos.value(++debito, QStringLiteral("00"));
        Registro f(e);
        f.texto(1, 1, u"F").digitos(68, 69, codigo).texto(130, 149, u"");
        if (!pedido.data.isNull())
            f.dataAnoMesDia(45, pedido.data);
        saida.append(f.linha());
        total += numero(e, 53, 67);
    }
    Registro z(150);
    z.texto(1, 1, u"Z").numero(2, 7, saida.size() + 1).numero(8, 24, total);
    saida.append(z.linha());
    return saida;
}

} // namespace

QList<QByteArray> retornoDaRemessa(const QByteArray &remessa, const Pedido &pedido, const QDate &hoje) {
    const LeituraRemessa leitura(remessa);
    if (leitura.tamanhoPrimeira() == 240)
        return Retorno240(pedido, pedido.data.isNull() ? hoje : pedido.data).responde(leitura.linhas(240));
    if (leitura.tamanhoPrimeira() == 400)
        return Retorno400(pedido, pedido.data.isNull() ? hoje : pedido.data).responde(leitura.linhas(400));
    if (leitura.tamanhoPrimeira() == 150 && leitura.linhas(150).first().startsWith('A'))
        return retorno150(leitura.linhas(150), pedido);
    throw ErroBolix(QStringLiteral("Remessa em formato desconhecido: a primeira linha tem %1 posições.")
                        .arg(leitura.tamanhoPrimeira()));
}

namespace {

const char *const uso =
    "Uso: simulador_banco REMESSA RETORNO [opções]\n"
    "     simulador_banco --api-bb --certificado SERVIDOR.pem --chave SERVIDOR.key [opções]\n"
    "     (--api-bb sozinho lista as opções do modo HTTPS)\n"
    "Lê uma remessa gravada pelo Bolix e grava o retorno que o banco daria.\n"
    "Boletos em CNAB 240: 001, 033, 041, 104, 237, 341, 356, 748, 756.\n"
    "Boletos em CNAB 400: %1.\n"
    "Débito automático em FEBRABAN 150: 001, 356.\n"
    "  --pagos N,N...     boletos: só esses títulos (pela ordem na remessa, a partir de 1) são pagos;\n"
    "                     os outros voltam como entrada confirmada. Sem a opção, todos são pagos.\n"
    "  --valor N=VALOR    boletos: o título N é pago com esse valor (ex.: 2=99,90).\n"
    "  --tarifa VALOR     CNAB 400: a tarifa do banco em cada título pago (ex.: 2,10).\n"
    "  --codigo N=CC      débito automático: o débito N volta com o código CC (ex.: 2=01); padrão 00.\n"
    "  --data DD/MM/AAAA  data do pagamento ou do débito.\n"
    "Pix (CNAB 400 do 341 com movimento 71, do 033 com registro 8): a entrada confirmada traz o QR Code do\n"
    "simulador (341: registro 3 com o BR Code inteiro; 033: registro 2 com location e txid, ocorrência "
    "508);\n"
    "dos títulos pagos que pediram o QR, os de número par são pagos por Pix (341: 10; 033: 06 com 511).\n";

// "N=text" into its two halves; false when the shape is wrong.
bool parNumeroTexto(const QString &arg, int &n, QString &texto) {
    const qsizetype igual = arg.indexOf(u'=');
    bool ok = false;
    n = arg.left(igual).toInt(&ok);
    texto = arg.mid(igual + 1).trimmed();
    return igual > 0 && ok && n > 0 && !texto.isEmpty();
}

// Reais with a comma or a dot before the cents, into ten-thousandths.
bool valorEmReais(QString texto, Dinheiro &valor) {
    texto.replace(u',', u'.');
    const qsizetype ponto = texto.indexOf(u'.');
    const QString inteiros = ponto < 0 ? texto : texto.left(ponto);
    const QString centavos = ponto < 0 ? QString() : texto.mid(ponto + 1);
    bool ok1 = false;
    bool ok2 = true;
    const qint64 reais = inteiros.toLongLong(&ok1);
    const qint64 cents = centavos.isEmpty() ? 0 : centavos.leftJustified(2, u'0').toLongLong(&ok2);
    valor = (reais * 100 + cents) * 100;
    return ok1 && ok2 && centavos.size() <= 2 && reais >= 0 && !inteiros.startsWith(u'-');
}

bool leOpcoes(const QStringList &args, Pedido &pedido) {
    for (qsizetype i = 2; i < args.size(); i += 2) {
        if (i + 1 >= args.size())
            return false;
        const QString &opcao = args[i];
        const QString &valor = args[i + 1];
        int n = 0;
        QString texto;
        if (opcao == u"--pagos") {
            pedido.todosPagos = false;
            for (const QString &parte : valor.split(u',', Qt::SkipEmptyParts)) {
                bool ok = false;
                pedido.pagos.insert(parte.trimmed().toInt(&ok));
                if (!ok)
                    return false;
            }
        } else if (opcao == u"--valor" && parNumeroTexto(valor, n, texto)) {
            Dinheiro dinheiro = 0;
            if (!valorEmReais(texto, dinheiro))
                return false;
            pedido.valores.insert(n, dinheiro);
        } else if (opcao == u"--tarifa") {
            if (!valorEmReais(valor, pedido.tarifa))
                return false;
        } else if (opcao == u"--codigo" && parNumeroTexto(valor, n, texto)) {
            if (texto.size() != 2 || !texto[0].isDigit() || !texto[1].isDigit())
                return false;
            pedido.codigos.insert(n, texto);
        } else if (opcao == u"--data") {
            pedido.data = QDate::fromString(valor, QStringLiteral("dd/MM/yyyy"));
            if (!pedido.data.isValid())
                return false;
        } else {
            return false;
        }
    }
    return true;
}

} // namespace

int executa(const QStringList &argumentos, QTextStream &saida, QTextStream &erros) {
    Pedido pedido;
    const QString textoDeUso = QString::fromUtf8(uso).arg(bancos400.join(u", "));
    if (argumentos.value(0) == u"--api-bb")
        return executaApiBancoDoBrasil(argumentos.mid(1), saida, erros);
    if (argumentos == QStringList{QStringLiteral("--help")}) {
        saida << textoDeUso;
        return 0;
    }
    if (argumentos.size() < 2 || argumentos[0].startsWith(u"--") || argumentos[1].startsWith(u"--") ||
        !leOpcoes(argumentos, pedido)) {
        erros << textoDeUso;
        return 2;
    }
    try {
        QFile remessa(argumentos[0]);
        if (!remessa.open(QIODevice::ReadOnly))
            throw ErroBolix(QStringLiteral("Não foi possível ler a remessa %1: %2.")
                                .arg(argumentos[0], remessa.errorString()));
        const QList<QByteArray> linhas = retornoDaRemessa(remessa.readAll(), pedido, QDate::currentDate());
        gravaLinhas(argumentos[1], linhas);
        saida << QStringLiteral("Retorno gravado em %1 (%2 registros).\n")
                     .arg(argumentos[1])
                     .arg(linhas.size());
        return 0;
    } catch (const ErroBolix &e) {
        erros << e.texto() << '\n';
        return 1;
    }
}

} // namespace bolix::simulador
