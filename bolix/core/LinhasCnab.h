#pragma once

// The records of a bank file as banks and their software deliver them: LF or CR LF, no line end after
// the last record, a DOS end-of-file mark and blank lines after the last record, and lines whose
// trailing blanks a transfer tool stripped.

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

namespace bolix {

class LinhasCnab {
public:
    // A line shorter than `largura` is read as if padded with blanks, so every field is still checked
    // and a line cut inside a field is still refused there. An empty line and a longer line are kept
    // as they are, for the reader to refuse by their length.
    LinhasCnab(const QByteArray &conteudo, qsizetype largura);

    const QList<QByteArrayView> &linhas() const { return linhas_; }

private:
    QList<QByteArray> completadas_; // the padded copies the views of short lines point into
    QList<QByteArrayView> linhas_;
};

} // namespace bolix
