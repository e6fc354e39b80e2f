#pragma once

// A PDF of boleto pages written page by page as they come. The form of the pages goes into the file
// once, as a form object every page draws, followed by each page's own fields. Texts use the standard
// faces Helvetica and Helvetica-Bold in WinAnsiEncoding, which every reader has; a Pix QR is text in a
// small font of its own, whose glyphs are rows of eight modules; streams are deflated but the QR's.

#include "PaginaBoleto.h"

#include <QByteArray>
#include <QImage>
#include <QList>
#include <array>
#include <optional>

class QIODevice;

namespace bolix {

class PdfBoletos {
public:
    // Writes to `saida` from its current position; `logotipo` fills the forms' logo area.
    PdfBoletos(QIODevice &saida, const QImage &logotipo);

    // A page of `formulario` under `campos`; a form that differs from the last one is written anew.
    void pagina(const Desenho &formulario, const Desenho &campos);

    // The page tree and the cross-reference table; nothing may be added after.
    void termina();

private:
    int reserva();
    void abre(int objeto);
    void escreve(const QByteArray &bytes);
    void objeto(int numero, const QByteArray &corpo);
    // Deflated unless `comprimido` is false, for streams deflate would not shrink: the QR's glyphs and rows.
    void fluxo(int numero, const QByteArray &dicionario, const QByteArray &conteudo, bool comprimido = true);
    int imagemDoLogotipo();
    // The Pix QR's font, written at the first page with a QR.
    int fonteQr();
    // The fonts of a drawing: the QR's only where one is drawn, so files without keep to the standard faces.
    QByteArray fontes(bool comQr);
    void formulario(const Desenho &d);
    // The current form's pages' resources, one object for those with a QR and one for those without.
    int recursos(bool comQr);

    QIODevice &saida_;
    QImage logotipo_;
    qint64 posicao_ = 0;
    QList<qint64> inicios_; // of each object, by its number less one
    QList<int> paginas_;
    std::optional<Desenho> formularioAtual_;
    int objetoFormulario_ = 0;
    std::array<int, 2> recursos_{}; // by whether the page has a QR, 0 until written
    int logotipoEscrito_ = 0;
    int fonteQr_ = 0;
};

} // namespace bolix
