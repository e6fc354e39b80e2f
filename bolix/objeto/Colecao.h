#pragma once

#include "bolix/objeto/Objeto.h"

#include <QList>
#include <memory>

namespace bolix::objeto {

// A collection of items of one class: Add returns a new item, Clear empties it, Count, and items
// by 0-based index (indexed read or Item(i)).
template <class T> class Colecao : public Objeto {
public:
    using Cria = std::function<std::shared_ptr<T>()>;

    explicit Colecao(
        const QString &classe, Cria cria = [] { return std::make_shared<T>(); })
        : Objeto(classe), cria_(std::move(cria)) {
        leitura(QStringLiteral("Count"), Tipo::Inteiro, [this] { return Variant(itens_.size()); });
        metodo(QStringLiteral("Add"), 0,
               [this](const QList<Variant> &) { return Variant(DispatchPtr(adiciona())); });
        metodo(QStringLiteral("Clear"), 0, [this](const QList<Variant> &) {
            limpa();
            return Variant();
        });
        metodo(QStringLiteral("Item"), 1,
               [this](const QList<Variant> &a) { return itemEm(a.first().toInt()); });
    }

    Variant item(int indice) override { return itemEm(indice); }

    std::shared_ptr<T> adiciona() {
        auto novo = cria_();
        itens_.append(novo);
        return novo;
    }
    void limpa() { itens_.clear(); }
    const QList<std::shared_ptr<T>> &itens() const { return itens_; }

private:
    Variant itemEm(std::int64_t indice) const {
        if (indice < 0 || indice >= itens_.size())
            throw automation::AutomationError(
                QStringLiteral("%1: índice %2 fora dos limites (a coleção tem %3 itens).")
                    .arg(classe())
                    .arg(indice)
                    .arg(itens_.size()));
        return Variant(DispatchPtr(itens_.at(qsizetype(indice))));
    }

    Cria cria_;
    QList<std::shared_ptr<T>> itens_;
};

} // namespace bolix::objeto
