#include "support/device_test_support.h"

EmulatedLink::EmulatedLink()
{
    auto owned = std::make_unique<EmulatorBackend>();
    backend = owned.get();
    const auto& identity = kMeterIdentities[1];
    backend->add("emu:0", static_cast<std::uint16_t>(identity.vendorId), static_cast<std::uint16_t>(identity.productId),
                 meter);
    link = std::make_unique<HidLink>(std::move(owned));
    link->setReplyLimit(kShortLimit);
}

TransferResult DirectRunner::run(bool, const Transfer& transfer)
{
    class Telling : public RecordingObserver {
    public:
        explicit Telling(Prompts& prompts) : prompts_(prompts) {}
        void message(MessageId id) override
        {
            RecordingObserver::message(id);
            prompts_.tell(PromptOwner::Dialog, id);
        }

    private:
        Prompts& prompts_;
    };
    Telling observer(prompts_);
    const TransferOutcome outcome = transfer(observer);
    return {outcome, observer.stop};
}
