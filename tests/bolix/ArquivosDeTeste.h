#pragma once

// Bank files in the component's tests: reading them, joining records, checking fields by position and
// spoiling a valid return one way at a time.

#include <QByteArray>
#include <QList>
#include <QString>
#include <functional>
#include <ostream>
#include <vector>

namespace arquivos {

QByteArray leArquivo(const QString &caminho);
// The records with CR LF, as the bytes of a file.
QByteArray junta(const QList<QByteArray> &linhas);

// Numbers a CNAB 400 file's records again (395-400) after records were added or taken out.
void renumera(QList<QByteArray> &linhas);

struct Campo {
    int linha; // 1-based
    int inicio, fim;
    const char *esperado;
};
void confereCampos(const QList<QByteArray> &linhas, const std::vector<Campo> &campos);

// One way to spoil a return, and two texts its refusal must hold (the line, the field).
struct Estrago {
    const char *nome;
    std::function<void(QList<QByteArray> &)> estraga;
    const char *trecho1;
    const char *trecho2;
};
inline void PrintTo(const Estrago &c, std::ostream *os) {
    *os << c.nome;
}
// Spoils `linhas` and expects `le` to refuse the bytes named "CB0101.ret" with the estrago's texts.
void confereRecusa(const Estrago &estrago, QList<QByteArray> linhas,
                   const std::function<void(const QByteArray &, const QString &)> &le);

} // namespace arquivos
