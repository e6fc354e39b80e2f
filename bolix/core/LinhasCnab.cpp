#include "LinhasCnab.h"

namespace bolix {

namespace {

constexpr char fimDeArquivoDos = '\x1A';

bool soFinalDeArquivo(QByteArrayView resto) {
    for (char c : resto)
        if (c != fimDeArquivoDos && c != '\r' && c != '\n' && c != ' ')
            return false;
    return true;
}

// The content up to a DOS end-of-file mark that only blanks and line ends follow; a mark with data
// after it stays, so that the reader refuses the line it spoils.
QByteArrayView semMarcaDeFim(const QByteArray &conteudo) {
    const qsizetype marca = conteudo.indexOf(fimDeArquivoDos);
    if (marca >= 0 && soFinalDeArquivo(QByteArrayView(conteudo).sliced(marca)))
        return QByteArrayView(conteudo).first(marca);
    return conteudo;
}

} // namespace

LinhasCnab::LinhasCnab(const QByteArray &conteudo, qsizetype largura) {
    const QByteArrayView texto = semMarcaDeFim(conteudo);
    qsizetype inicio = 0;
    while (inicio < texto.size()) {
        qsizetype fim = texto.indexOf('\n', inicio);
        if (fim < 0)
            fim = texto.size();
        qsizetype corte = fim;
        if (corte > inicio && texto[corte - 1] == '\r')
            --corte;
        linhas_.append(texto.sliced(inicio, corte - inicio));
        inicio = fim + 1;
    }
    while (!linhas_.isEmpty() && linhas_.last().trimmed().isEmpty())
        linhas_.removeLast();
    for (QByteArrayView &linha : linhas_) {
        if (linha.isEmpty() || linha.size() >= largura)
            continue;
        QByteArray completa = linha.toByteArray();
        completa.append(largura - linha.size(), ' ');
        // The copy's data stays where it is when the list grows: only its handle moves.
        completadas_.append(completa);
        linha = completadas_.last();
    }
}

} // namespace bolix
