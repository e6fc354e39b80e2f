#pragma once

#include "automation/Dispatch.h"

namespace boleto {

// The component object as the program sees it. Members are named by dotted paths from the object
// ("PadroesBoleto.PadroesBoletoImpresso.MargemSuperior"): every name but the last is read and must
// give an object, and the last is read, set or called on that object. Any Dispatch can be wrapped,
// so a document returned by DocumentosCobranca.Add is reached the same way.
class ObjetoBolix {
public:
    ObjetoBolix() = default;
    explicit ObjetoBolix(automation::DispatchPtr objeto) : objeto_(std::move(objeto)) {}

    // The component from its registration in the program's folder.
    static ObjetoBolix cria(const QString &programDir);

    bool existe() const { return objeto_ != nullptr; }
    const automation::DispatchPtr &dispatch() const { return objeto_; }

    automation::Variant get(const QString &caminho) const;
    void set(const QString &caminho, const automation::Variant &valor) const;
    automation::Variant call(const QString &caminho, const QList<automation::Variant> &args = {}) const;
    // The object at the path, every name read.
    automation::DispatchPtr objeto(const QString &caminho) const;
    // The item at a 0-based index of the collection at the path.
    automation::Variant item(const QString &caminho, int indice) const;

private:
    struct Alvo {
        automation::DispatchPtr dono;
        QString membro;
    };
    Alvo alvo(const QString &caminho) const;
    // Reads the first names of the path in turn, each giving the object the next is read on.
    automation::DispatchPtr percorre(const QStringList &partes, qsizetype quantos) const;

    automation::DispatchPtr objeto_;
};

} // namespace boleto
