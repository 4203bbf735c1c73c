// The controls of the forms: labels that may carry a drawing, buttons,
// drop-down lists, check boxes, text boxes and pictures.
#pragma once
#include <string>
#include <utility>
#include <vector>

#include "platform/colores.h"
#include "platform/control.h"

namespace kelu {

// One mark of a drawing on a label, in twips from the label's top-left corner.
struct Trazo {
  enum class Forma { Relleno, Marco, Elipse, Texto };
  Forma forma = Forma::Relleno;
  Rectangulo area;
  ColorSistema color = ColorSistema::TextoVentana;
  std::string texto;  // Texto: one line, from the area's left edge, centred on its height
  Fuente fuente;
  bool operator==(const Trazo&) const = default;
};

// A label: windowless, drawn by its window, so presses on it reach the window.
class Etiqueta : public Control {
 public:
  Etiqueta(Ventana& v, std::string nombre, Rectangulo pos, Fuente fuente, std::string texto = {},
           Alineacion alinear = Alineacion::Izquierda)
      : Control(v, TipoControl::Etiqueta, std::move(nombre), pos, fuente, std::move(texto)),
        alineacion(alinear) {}
  Alineacion alineacion;
  bool borde = false;
  bool ajustarAlTexto = false;  // grows to fit its caption

  // Marks painted in order over the label's ground and border, after its
  // caption. Setting the same drawing again repaints nothing.
  const std::vector<Trazo>& Dibujo() const { return dibujo_; }
  void SetDibujo(std::vector<Trazo> dibujo) noexcept;

 private:
  std::vector<Trazo> dibujo_;
};

class Boton : public Control {
 public:
  Boton(Ventana& v, std::string nombre, Rectangulo pos, Fuente fuente, std::string texto)
      : Control(v, TipoControl::Boton, std::move(nombre), pos, fuente, std::move(texto)) {}
  bool predeterminado = false;  // Enter presses it
  bool cancelar = false;        // Esc presses it
};

// A drop-down list: the user picks an entry and cannot type.
class Combo : public Control {
 public:
  Combo(Ventana& v, std::string nombre, Rectangulo pos, Fuente fuente)
      : Control(v, TipoControl::Combo, std::move(nombre), pos, fuente) {}
  void Limpiar() noexcept;  // also clears the selection
  void Agregar(std::string entrada);
  int Cantidad() const { return static_cast<int>(entradas_.size()); }
  const std::string& Entrada(int i) const { return entradas_.at(static_cast<size_t>(i)); }
  int Seleccion() const { return seleccion_; }  // -1: none
  // The last entry equal to `texto` (whole text, case-sensitive); -1: none.
  int Buscar(const std::string& texto) const;
  // Selects entry i and raises Click, as a choice by the user does; an index
  // out of range changes nothing and returns false.
  bool SetSeleccion(int i);
  // The list is about to open (a click on its arrow, F4, Alt+Down).
  std::function<void()> DropDown;

 private:
  std::vector<std::string> entradas_;
  int seleccion_ = -1;
};

class Casilla : public Control {
 public:
  Casilla(Ventana& v, std::string nombre, Rectangulo pos, Fuente fuente, std::string texto)
      : Control(v, TipoControl::Casilla, std::move(nombre), pos, fuente, std::move(texto)) {}
  bool Marcada() const { return marcada_; }
  // Raises Click whenever the state changes, whoever changes it.
  void SetMarcada(bool marcada);

 private:
  bool marcada_ = false;
};

class CajaTexto : public Control {
 public:
  CajaTexto(Ventana& v, std::string nombre, Rectangulo pos, Fuente fuente, std::string texto = {})
      : Control(v, TipoControl::CajaTexto, std::move(nombre), pos, fuente, std::move(texto)) {}
  bool soloLectura = false;
  void SeleccionarTodo() noexcept;  // selection start 0, length = the whole text
  int inicioSeleccion = 0, largoSeleccion = 0;
};

class Imagen : public Control {
 public:
  Imagen(Ventana& v, std::string nombre, Rectangulo pos, int numero)
      : Control(v, TipoControl::Imagen, std::move(nombre), pos, Fuente{}), recurso(numero) {}
  int recurso;  // the picture's resource number, stretched to the control
};

}  // namespace kelu
