#pragma once
// Something that shows the model: told to rebuild after the model changed
// as a whole (a book change, an automatic selection).
class View {
public:
    virtual ~View() = default;
    virtual void UpdateView() = 0;
};
