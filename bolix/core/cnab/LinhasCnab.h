#pragma once

// The records of a bank file as banks and their software deliver them: LF or CR LF, no line end after
// the last record, a DOS end-of-file mark and blank lines after the last record, and lines whose
// trailing blanks a transfer tool stripped.

#include <QByteArray>
#include <QByteArrayView>

namespace bolix {

// Hands the records over one at a time, so that a file of many short lines costs no more memory than
// one padded line.
class LinhasCnab {
public:
    LinhasCnab(const QByteArray &conteudo, qsizetype largura);

    // The next record, or false after the last one. A line shorter than `largura` is read as if padded
    // with blanks, so every field is still checked and a line cut inside a field is still refused there;
    // an empty line and a longer line are handed over as they are, for the reader to refuse by their
    // length. The view lasts until the next call.
    bool proxima(QByteArrayView &linha);

private:
    QByteArrayView texto_;
    qsizetype largura_;
    qsizetype inicio_ = 0;
    QByteArray completada_; // the padded copy of the current line, when it was short
};

} // namespace bolix
