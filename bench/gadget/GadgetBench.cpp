// Benchmark of the gadget tree's drawing and hit testing.
//
// A root without host (its back buffer only) holds 100 groups of 100 primitives (10,000 in
// all) on a 1000 x 1000 image; each primitive fills its rectangle. Measured against plain loops
// over a flat array of the same rectangles in the same run:
// - full repaint: the root's Paint vs one fill per rectangle;
// - hit test: finding the deepest primitive under a point vs scanning the array;
// - incremental redraw of one primitive: RedrawPrimitive vs one fill.
// The incremental redraw is also timed in a root of 100 primitives of the same size (4 groups of
// 25, the same depth), to show that it does not grow with the tree. Each measure takes the best
// of its runs.
//
// Usage: gadget_bench
#include <stdio.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <memory>
#include <random>
#include <vector>

#include "bench/kit/BenchKit.h"
#include "gadget/GGroup.h"
#include "gadget/GRoot.h"
#include "gadget/GRootMaster.h"
#include "platform/gui/Bitmap.h"
#include "platform/gui/MemoryDc.h"

namespace {

constexpr int kSide = 1000;
constexpr int kRuns = 5;

class Cell : public CGPrimitive {
 public:
  Cell(CGCore* parent, int x, int y, int w, int h, vt::ColorRef colour)
      : CGPrimitive(parent, x, y, 0, GSTYLE_ACTIVE, w, h), colour_(colour) {}
  void Draw(vt::DeviceContext* dc) override {
    vt::Rect r;
    GetAbsoluteRect(&r);
    dc->FillSolidRect(r, colour_);
  }
  vt::ColorRef colour() const { return colour_; }

 private:
  vt::ColorRef colour_;
};

struct Scene {
  CGRoot* root = nullptr;
  std::vector<Cell*> cells;
  std::vector<vt::Rect> rects;  // the cells' absolute rectangles, in paint order
  std::vector<vt::ColorRef> colours;
};

// groupsPerSide^2 groups of cellsPerSide^2 cells of 10 x 10 pixels.
Scene BuildScene(CGCore* master, int groupsPerSide, int cellsPerSide) {
  Scene s;
  const int cellSide = 10;
  const int groupSide = cellSide * cellsPerSide;
  const int side = groupSide * groupsPerSide;
  s.root = new CGRoot(master, 0, 0);
  s.root->SetSize(side, side);
  for (int gy = 0; gy < groupsPerSide; ++gy)
    for (int gx = 0; gx < groupsPerSide; ++gx) {
      auto* group =
          new CGGroup(s.root, gx * groupSide, gy * groupSide, 0, GSTYLE_ACTIVE, groupSide, groupSide);
      for (int cy = 0; cy < cellsPerSide; ++cy)
        for (int cx = 0; cx < cellsPerSide; ++cx) {
          const vt::ColorRef colour = vt::Rgb(uint8_t(gx * 20 + cx), uint8_t(gy * 20 + cy), 128);
          auto* cell =
              new Cell(group, cx * cellSide + 1, cy * cellSide + 1, cellSide - 2, cellSide - 2, colour);
          s.cells.push_back(cell);
        }
    }
  // Paint order is last to first; the flat loop fills in the same order.
  for (auto it = s.cells.rbegin(); it != s.cells.rend(); ++it) {
    vt::Rect r;
    (*it)->GetAbsoluteRect(&r);
    s.rects.push_back(r);
    s.colours.push_back((*it)->colour());
  }
  vt::MemoryDc dc;
  auto bitmap = vt::Bitmap::Create(side, side, 32);
  dc.SelectBitmap(bitmap.get());
  s.root->PaintFromDC(&dc);  // makes the back buffer
  dc.SelectBitmap(nullptr);
  return s;
}

double Best(const std::function<void()>& work) {
  return vt::bench::BestOf(kRuns, [&](int) { work(); });
}

// The deepest active primitive under (x, y) of the root.
CGPrimitive* HitDeepest(CGPrimitive* p, int x, int y) {
  for (;;) {
    CGPrimitive* child = p->ActiveChildFromPoint(x, y);
    if (!child) return p;
    vt::Point offset;
    p->GetChildOffset(&offset);
    x += offset.x;
    y += offset.y;
    p = child;
  }
}

}  // namespace

int main() {
  auto* master = new CGRootMaster;
  master->CreateManagers();
  Scene big = BuildScene(master, 10, 10);
  Scene small = BuildScene(master, 2, 5);  // 100 cells of the same size, the same depth
  vt::DeviceContext* back = big.root->GetBackDCPtr();
  printf("primitives: %zu (and %zu in the small root)\n", big.cells.size(), small.cells.size());

  // Full repaint.
  const double treePaint = Best([&] { big.root->Paint(back); });
  const double flatPaint = Best([&] {
    back->SelectClipRect(nullptr);
    for (std::size_t i = 0; i < big.rects.size(); ++i) back->FillSolidRect(big.rects[i], big.colours[i]);
  });

  // Hit tests at random points.
  std::mt19937 random(7);
  std::vector<vt::Point> points(20000);
  for (vt::Point& p : points) p = vt::Point{int(random() % kSide), int(random() % kSide)};
  std::size_t found = 0;
  const double treeHit = Best([&] {
    for (const vt::Point& p : points) found += HitDeepest(big.root, p.x, p.y) != big.root;
  });
  const double flatHit = Best([&] {
    for (const vt::Point& p : points) {
      // The first cell in hit order (the first child) is the last one painted.
      for (std::size_t i = big.rects.size(); i-- > 0;)
        if (big.rects[i].Contains(p)) {
          ++found;
          break;
        }
    }
  });

  // Incremental redraw of single primitives, in both roots, with the same fills in each root's
  // own image as reference (a larger image alone costs more cache misses). The four measures
  // take turns in every run, so that a busy machine slows them alike.
  constexpr int kRedraws = 20000;
  auto treeRedraws = [](Scene& s) {
    for (int i = 0; i < kRedraws; ++i)
      s.root->RedrawPrimitive(s.cells[std::size_t(i * 7919) % s.cells.size()]);
  };
  auto flatRedraws = [](Scene& s) {
    vt::DeviceContext* dc = s.root->GetBackDCPtr();
    for (int i = 0; i < kRedraws; ++i) {
      const std::size_t k = s.rects.size() - 1 - std::size_t(i * 7919) % s.cells.size();
      dc->SelectClipRect(&s.rects[k]);
      dc->FillSolidRect(s.rects[k], s.colours[k]);
    }
  };
  double treeRedraw = 1e30, smallRedraw = 1e30, flatRedraw = 1e30, flatSmallRedraw = 1e30;
  for (int run = 0; run < 3 * kRuns; ++run) {
    treeRedraw = std::min(treeRedraw, Best([&] { treeRedraws(big); }));
    smallRedraw = std::min(smallRedraw, Best([&] { treeRedraws(small); }));
    flatRedraw = std::min(flatRedraw, Best([&] { flatRedraws(big); }));
    flatSmallRedraw = std::min(flatSmallRedraw, Best([&] { flatRedraws(small); }));
  }

  printf("hits found: %zu\n", found);
  printf("hit test: tree %.3f ms, flat array %.3f ms, ratio %.2f\n", treeHit * 1e3, flatHit * 1e3,
         treeHit / flatHit);
  printf("incremental redraw (10,000): tree %.3f ms, flat %.3f ms, ratio %.2f\n", treeRedraw * 1e3,
         flatRedraw * 1e3, treeRedraw / flatRedraw);
  printf("incremental redraw (100): tree %.3f ms, flat %.3f ms, ratio %.2f\n", smallRedraw * 1e3,
         flatSmallRedraw * 1e3, smallRedraw / flatSmallRedraw);
  printf("incremental redraw time, 10,000 vs 100 primitives: %.2f\n", treeRedraw / smallRedraw);
  vt::bench::Report report("gadget");
  report.AtMost("incremental redraw, 10,000 vs 100 primitives",
                (treeRedraw / flatRedraw) / (smallRedraw / flatSmallRedraw), 1.5);
  printf("full repaint: tree %.3f ms, flat array %.3f ms\n", treePaint * 1e3, flatPaint * 1e3);
  report.AtMost("full repaint / flat array", treePaint / flatPaint, 3);
  delete master;
  return report.ExitCode();
}
