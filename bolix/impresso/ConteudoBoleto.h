#pragma once

// What one printed boleto shows, as finished texts: the page only places them.

#include "QrCode.h"

#include "bolix/core/Boleto.h"
#include "bolix/core/Conta.h"
#include "bolix/core/Documento.h"

#include <QString>
#include <QStringList>

namespace bolix {

struct ConteudoBoleto {
    QString codigoBanco; // with its check digit: "001-9"
    QString nomeBanco;   // printed where there is no logo
    QString linhaDigitavel;
    QString codigoBarras; // 44 digits
    QString localPagamento;
    QString vencimento; // "dd/MM/yyyy" or "Contra-apresentação"
    QString beneficiario;
    QString agenciaCodigo;
    QString dataDocumento;
    QString numeroDocumento;
    QString especieDoc;
    QString aceite;
    QString dataProcessamento;
    QString nossoNumero;
    QString carteira;
    QString valorDocumento;   // "R$ 1.234,56"
    QString outrosAcrescimos; // empty when there are none; then also no valorCobrado
    QString valorCobrado;
    QStringList instrucoes;
    QStringList pagador; // name and tax number, address, postal code and city
    QStringList demonstrativo;
    QString pix; // the Pix QR's text, checked; empty: the boleto has no QR
    QrCode qrPix; // its modules, encoded once for the PDF and the printer
    QString via; // "2ª via" above the recibo of a boleto printed again; empty on the first print
};

ConteudoBoleto conteudoBoleto(const ContaConfigurada &conta, const Documento &doc, const Boleto &boleto);

// "1.234,56" from cents, whatever the machine's regional settings: the form is Brazilian.
QString formataCentavos(std::int64_t centavos);

} // namespace bolix
