#include "bolix/core/cnab/LinhasCnab.h"

namespace bolix {

namespace {

constexpr char fimDeArquivoDos = '\x1A';

bool branco(char c) {
    return c == ' ' || c == '\r' || c == '\n' || c == '\t' || c == '\v' || c == '\f';
}

// The content up to the DOS end-of-file mark that only blanks, line ends and other marks follow. A mark
// with data after it is data: the reader refuses the field it spoils, and a real mark at the end still
// ends the file.
QByteArrayView semMarcaDeFim(const QByteArray &conteudo) {
    qsizetype fim = conteudo.size();
    while (fim > 0 && (branco(conteudo[fim - 1]) || conteudo[fim - 1] == fimDeArquivoDos))
        --fim;
    const qsizetype marca = conteudo.indexOf(fimDeArquivoDos, fim);
    return QByteArrayView(conteudo).first(marca >= 0 ? marca : conteudo.size());
}

bool soBrancos(QByteArrayView resto) {
    for (char c : resto)
        if (!branco(c))
            return false;
    return true;
}

} // namespace

LinhasCnab::LinhasCnab(const QByteArray &conteudo, qsizetype largura)
    : texto_(semMarcaDeFim(conteudo)), largura_(largura) {}

bool LinhasCnab::proxima(QByteArrayView &linha) {
    // Blank lines after the last record end the file; one before a record is a record, and refused.
    if (inicio_ >= texto_.size() || soBrancos(texto_.sliced(inicio_)))
        return false;
    qsizetype fim = texto_.indexOf('\n', inicio_);
    if (fim < 0)
        fim = texto_.size();
    qsizetype corte = fim;
    if (corte > inicio_ && texto_[corte - 1] == '\r')
        --corte;
    linha = texto_.sliced(inicio_, corte - inicio_);
    inicio_ = fim + 1;
    if (!linha.isEmpty() && linha.size() < largura_) {
        completada_.truncate(0);
        completada_.append(linha.data(), linha.size());
        completada_.append(largura_ - linha.size(), ' ');
        linha = completada_;
    }
    return true;
}

} // namespace bolix
