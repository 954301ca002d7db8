#pragma once
// The construction viewer: one position of an order at a time, with previous and next, zoom with
// the mouse wheel and the picture exported to SVG, PNG or PDF. Its caption is "Позиция #: [number]".
#include <QWidget>

class QLabel;

namespace kv {

class TOrder;

// The picture of the position, scaled to the widget and zoomed about its centre.
class TPictureView : public QWidget {
  Q_OBJECT
public:
  TPictureView(const TOrder& order, QWidget* parent = nullptr);
  void SetPosition(int index);
  double Zoom() const { return zoom_; }

protected:
  void paintEvent(QPaintEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

private:
  const TOrder& order_;
  int index_ = 0;
  double zoom_ = 1;
};

class TDrawingForm : public QWidget {
  Q_OBJECT
public:
  TDrawingForm(TOrder& order, int index, QWidget* parent = nullptr);

  int Position() const { return index_; }
  void ShowPosition(int index);
  void Next() { ShowPosition(index_ + 1); }
  void Previous() { ShowPosition(index_ - 1); }
  TPictureView* View() const { return view_; }
  // Writes the picture as the command line's pictures are drawn, with the styles shown here: SVG,
  // PNG or PDF by the file's extension; false after the message.
  bool ExportPicture(const QString& file) const;

private:
  void Export();

  TOrder& order_;
  int index_ = 0;
  TPictureView* view_;
};

}  // namespace kv
