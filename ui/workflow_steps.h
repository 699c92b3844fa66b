// Which of the window's five numbered steps comes next: the one whose caption is bold and which
// has the focus.
#pragma once

namespace ui {

enum class Step {
    None, // nothing done yet
    Choose, // "1. Агляд...": a protocol chosen (or named) but not read
    Read, // "Перачытаць": read, whether or not it could be
    Recalculate, // "3. Пералічыць"
    ChooseOutput, // "4. Агляд...": the output's name asked for
    Save, // "5. Захаваць"
};

// What the next step depends on. A state that makes the output out of date belongs here.
struct WorkflowState
{
    Step LastDone = Step::None; // the last step that went through (a refused one does not)
    bool OutputNamed = false; // the output file's name is given
    // The results shown were made from a protocol, groups, tables or options that have changed
    // since: whatever was done last, recalculating comes next.
    bool OutputOutOfDate = false;
};

// The step after the last one done: choose a protocol first; a chosen one is read; a read one
// recalculated; the output then named unless it has a name, and saved; after saving, reading
// again (the next protocol, or the same one updated) starts the next round. Results out of date
// are recalculated before anything else is done with them.
constexpr Step NextStep(const WorkflowState &state)
{
    switch (state.LastDone) {
    case Step::None:
        return Step::Choose;
    case Step::Choose:
        return Step::Read;
    case Step::Read:
        return Step::Recalculate;
    case Step::Recalculate:
        if (state.OutputOutOfDate)
            return Step::Recalculate;
        return state.OutputNamed ? Step::Save : Step::ChooseOutput;
    case Step::ChooseOutput:
        return state.OutputOutOfDate ? Step::Recalculate : Step::Save;
    case Step::Save:
        return state.OutputOutOfDate ? Step::Recalculate : Step::Read;
    }
    return Step::Choose;
}

} // namespace ui
