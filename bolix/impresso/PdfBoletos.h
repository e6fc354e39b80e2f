#pragma once

// A PDF of boleto pages written page by page as they come. The form of the pages goes into the file
// once, as a form object every page draws, followed by each page's own fields. Texts use the standard
// faces Helvetica and Helvetica-Bold in WinAnsiEncoding, which every reader has; streams are deflated.

#include "PaginaBoleto.h"

#include <QByteArray>
#include <QImage>
#include <QList>
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
    void fluxo(int numero, const QByteArray &dicionario, const QByteArray &conteudo);
    int imagemDoLogotipo();
    void formulario(const Desenho &d);

    QIODevice &saida_;
    QImage logotipo_;
    qint64 posicao_ = 0;
    QList<qint64> inicios_; // of each object, by its number less one
    QList<int> paginas_;
    std::optional<Desenho> formularioAtual_;
    int recursosAtuais_ = 0;
    int logotipoEscrito_ = 0;
};

} // namespace bolix
