// The view object: how far the camera sees.
#include "engine/object_factories.h"

namespace engine {

namespace {

class GlView : public saver::View {
public:
    explicit GlView(SharedState state) : state_(std::move(state)) {}
    void SetFarDistance(float distance) override { state_->display.SetFarDistance(distance); }

private:
    SharedState state_;
};

}  // namespace

std::shared_ptr<saver::View> MakeView(SharedState state) { return std::make_shared<GlView>(std::move(state)); }

}  // namespace engine
