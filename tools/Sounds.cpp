#include "Sounds.h"

#include "Rng.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace {

const double kTwoPi = 6.283185307179586;
const double kDt = 1.0 / kSampleRate;

std::vector<float> silence(double seconds) {
    return std::vector<float>(static_cast<size_t>(seconds * kSampleRate), 0.0f);
}

// Attack, then exponential decay with the given time constant; a short fade at the very end
// keeps the sample from ending in a click.
double envelope(double t, double length, double attack, double decay) {
    double e = t < attack ? t / attack : std::exp(-(t - attack) / decay);
    double tail = (length - t) / 0.01;
    return e * std::clamp(tail, 0.0, 1.0);
}

// An oscillator whose frequency follows a function of time; phase is accumulated so sweeps stay
// smooth. One oscillator per partial: every call advances the phase.
class Osc {
  public:
    double sine(double freq) { return std::sin(advance(freq)); }
    double square(double freq, double duty = 0.5) {
        double p = advance(freq) / kTwoPi;
        return p - std::floor(p) < duty ? 1.0 : -1.0;
    }
    double saw(double freq) {
        double p = advance(freq) / kTwoPi;
        return 2.0 * (p - std::floor(p)) - 1.0;
    }

  private:
    double advance(double freq) {
        phase += kTwoPi * freq * kDt;
        if (phase > kTwoPi * 1024)
            phase -= kTwoPi * 1024;
        return phase;
    }
    double phase = 0.0;
};

// A one-pole low-pass filter; cutoff in hertz.
class LowPass {
  public:
    double operator()(double in, double cutoff) {
        double a = 1.0 - std::exp(-kTwoPi * cutoff * kDt);
        state += a * (in - state);
        return state;
    }

  private:
    double state = 0.0;
};

void normalise(std::vector<float>& s, double peak) {
    float most = 0.0f;
    for (float v : s)
        most = std::max(most, std::abs(v));
    if (most > 0.0f)
        for (float& v : s)
            v = static_cast<float>(v * peak / most);
}

std::vector<float> render(double seconds, double peak, const std::function<double(double)>& f) {
    std::vector<float> s = silence(seconds);
    for (size_t i = 0; i < s.size(); ++i)
        s[i] = static_cast<float>(f(i * kDt));
    // A millisecond of fade-in: even a hard knock should not start with a click.
    const size_t fade = kSampleRate / 1000;
    for (size_t i = 0; i < fade && i < s.size(); ++i)
        s[i] = static_cast<float>(s[i] * double(i) / fade);
    normalise(s, peak);
    return s;
}

} // namespace

std::vector<float> soundBip() {
    Osc o, o2;
    const double len = 0.08;
    return render(len, 0.5, [&](double t) {
        double f = 880.0 + 520.0 * (t / len);
        return (o.sine(f) + 0.2 * o2.sine(2 * f)) * envelope(t, len, 0.004, 0.03);
    });
}

std::vector<float> soundBip2() {
    Osc o, o2;
    const double len = 0.09;
    return render(len, 0.45, [&](double t) {
        double f = 620.0 - 240.0 * (t / len);
        return (o.sine(f) + 0.2 * o2.sine(2 * f)) * envelope(t, len, 0.004, 0.035);
    });
}

std::vector<float> soundZoop() {
    Osc a, b;
    LowPass lp;
    const double len = 0.2;
    return render(len, 0.55, [&](double t) {
        double f = 300.0 + 1700.0 * std::exp(-t / 0.045);
        double v = 0.6 * a.square(f, 0.3) + 0.4 * b.saw(f * 1.01);
        return lp(v, 5000.0) * envelope(t, len, 0.002, 0.06);
    });
}

std::vector<float> soundLaserHit() {
    Rng rng(11);
    Osc o;
    LowPass lp;
    const double len = 0.06;
    return render(len, 0.5, [&](double t) {
        double noise = rng.range(-1, 1);
        double v = 0.6 * lp(noise, 6000.0) + 0.5 * o.square(2100.0 - 9000.0 * t);
        return v * envelope(t, len, 0.001, 0.012);
    });
}

std::vector<float> soundBoom() {
    Rng rng(23);
    Osc thump;
    LowPass lp1, lp2;
    const double len = 0.8;
    return render(len, 0.75, [&](double t) {
        double noise = rng.range(-1, 1);
        // The rumble darkens as it dies away.
        double cutoff = 200.0 + 2600.0 * std::exp(-t / 0.12);
        double rumble = lp2(lp1(noise, cutoff), cutoff);
        double body = thump.sine(70.0 * std::exp(-t / 0.3) + 30.0) * std::exp(-t / 0.12);
        return (2.2 * rumble + 0.7 * body) * envelope(t, len, 0.003, 0.3);
    });
}

std::vector<float> soundPlace() {
    Rng rng(37);
    Osc o;
    LowPass lp;
    const double len = 0.16;
    return render(len, 0.6, [&](double t) {
        double f = 60.0 + 120.0 * std::exp(-t / 0.03);
        double knock = lp(rng.range(-1, 1), 1400.0) * std::exp(-t / 0.012);
        return (o.sine(f) * envelope(t, len, 0.002, 0.05) + 1.5 * knock);
    });
}

std::vector<float> soundDeath() {
    Rng rng(41);
    Osc o;
    LowPass lp;
    const double len = 0.18;
    return render(len, 0.55, [&](double t) {
        double f = 260.0 + 900.0 * (t / len);
        double pop = o.square(f, 0.4) * envelope(t, len, 0.002, 0.05);
        double puff = lp(rng.range(-1, 1), 2500.0) * envelope(t, len, 0.001, 0.03);
        return 0.6 * pop + 0.9 * puff;
    });
}

std::vector<float> soundUpgrade() {
    Osc n1, n2, n3, h1, h2, h3;
    const double len = 0.5;
    const double notes[3] = {1046.5, 1318.5, 1568.0};
    return render(len, 0.5, [&](double t) {
        double v = 0.0;
        Osc* base[3] = {&n1, &n2, &n3};
        Osc* harm[3] = {&h1, &h2, &h3};
        for (int k = 0; k < 3; ++k) {
            double start = k * 0.07;
            double local = t - start;
            double f = notes[k];
            double s = base[k]->sine(f) + 0.3 * harm[k]->sine(f * 2.01);
            if (local >= 0.0)
                v += s * envelope(local, len - start, 0.004, 0.14);
        }
        return v;
    });
}

std::vector<float> soundMissile() {
    Rng rng(53);
    LowPass lp1, lp2;
    const double len = 0.45;
    return render(len, 0.5, [&](double t) {
        double noise = rng.range(-1, 1);
        // A band of noise that sweeps up and back down: the rush past the ear.
        double sweep = std::sin(3.14159 * t / len);
        double hi = lp1(noise, 600.0 + 3800.0 * sweep);
        double band = hi - lp2(hi, 300.0 + 1200.0 * sweep);
        return band * envelope(t, len, 0.05, 0.25);
    });
}

std::vector<float> soundBounce() {
    Rng rng(67);
    Osc o;
    LowPass lp;
    const double len = 0.28;
    return render(len, 0.6, [&](double t) {
        // A dull thud that springs back up in pitch.
        double f = 90.0 + 160.0 * (1.0 - std::exp(-t / 0.06)) * std::exp(-t / 0.25);
        double boing = o.sine(f) * envelope(t, len, 0.003, 0.1);
        double thud = lp(rng.range(-1, 1), 900.0) * std::exp(-t / 0.02);
        return boing + 1.6 * thud;
    });
}

std::vector<float> soundAlarm() {
    Osc a, b;
    LowPass lp;
    const double blast = 0.22;
    const double len = 2 * blast + 0.06;
    return render(len, 0.5, [&](double t) {
        // Two blasts of a buzzy horn, each sliding down a fourth: urgent without a siren's
        // length, so it never drowns the shots.
        const double gap = blast + 0.06;
        const double local = t < gap ? t : t - gap;
        if (local > blast)
            return 0.0;
        const double f = 740.0 - 185.0 * (local / blast);
        const double v = 0.6 * a.square(f, 0.4) + 0.4 * b.saw(f * 1.5);
        return lp(v, 2800.0) * envelope(local, blast, 0.01, 0.2);
    });
}

std::vector<float> soundTowerLost() {
    Rng rng(59);
    Osc tone, sub;
    LowPass lp, soft;
    const double note = 0.16;
    const double len = 3 * note + 0.2;
    return render(len, 0.55, [&](double t) {
        // Three notes falling a minor third each, the last one held: a loss, not an alarm, and
        // unlike any shot or blast, so it is heard through a fight.
        const int step = std::min(2, static_cast<int>(t / note));
        const double local = t - step * note;
        const double f = 440.0 * std::pow(2.0, -3.0 * step / 12.0);
        const double hold = step == 2 ? len - 2 * note : note;
        const double v = 0.7 * soft(tone.saw(f), 1800.0) + 0.3 * sub.sine(f / 2);
        const double crash = lp(rng.range(-1, 1), 900.0) * std::exp(-t / 0.05);
        return v * envelope(local, hold, 0.01, 0.4) + 0.8 * crash;
    });
}

std::vector<float> soundPlatedHit() {
    Rng rng(71);
    Osc a, b, c;
    LowPass lp;
    const double len = 0.14;
    return render(len, 0.45, [&](double t) {
        // Inharmonic partials ring like struck sheet metal.
        double ring = a.sine(1180.0) + 0.7 * b.sine(1870.0) + 0.5 * c.sine(2710.0);
        double tick = lp(rng.range(-1, 1), 7000.0) * std::exp(-t / 0.004);
        return 0.5 * ring * envelope(t, len, 0.001, 0.035) + tick;
    });
}

std::vector<float> soundPlatedDeath() {
    Rng rng(73);
    Osc a, b;
    LowPass lp1, lp2;
    const double len = 0.4;
    return render(len, 0.6, [&](double t) {
        double crunch = lp2(lp1(rng.range(-1, 1), 1800.0), 1800.0) * std::exp(-t / 0.06);
        double f = 900.0 * std::exp(-t / 0.25) + 200.0;
        double ring = (a.sine(f) + 0.5 * b.sine(f * 1.58)) * envelope(t, len, 0.002, 0.12);
        return 2.0 * crunch + 0.5 * ring;
    });
}

std::vector<float> soundDiverHit() {
    Osc o;
    const double len = 0.05;
    return render(len, 0.4, [&](double t) {
        return o.square(1500.0 + 900.0 * (t / len), 0.35) * envelope(t, len, 0.001, 0.015);
    });
}

std::vector<float> soundDiverDeath() {
    Rng rng(79);
    Osc o;
    LowPass lp, tone;
    const double len = 0.26;
    return render(len, 0.55, [&](double t) {
        double f = 1500.0 * std::exp(-t / 0.1) + 250.0;
        double whistle = tone(o.square(f, 0.5), 3000.0) * envelope(t, len, 0.002, 0.12);
        double pop = lp(rng.range(-1, 1), 2500.0) * std::exp(-std::abs(t - 0.16) / 0.015);
        return 0.6 * whistle + pop;
    });
}

std::vector<float> soundSplitterHit() {
    Osc o, wobble;
    LowPass lp;
    const double len = 0.09;
    return render(len, 0.45, [&](double t) {
        double f = 380.0 + 90.0 * wobble.sine(35.0);
        return lp(o.saw(f), 1600.0) * envelope(t, len, 0.002, 0.03);
    });
}

std::vector<float> soundSplitterDeath() {
    Rng rng(83);
    Osc a, b;
    LowPass lp;
    const double len = 0.26;
    return render(len, 0.55, [&](double t) {
        // The same pop twice, the second higher: one body, two halves.
        double v = 0.0;
        const double starts[2] = {0.0, 0.08};
        Osc* oscs[2] = {&a, &b};
        for (int k = 0; k < 2; ++k) {
            double local = t - starts[k];
            double f = (300.0 + 700.0 * (local / 0.15)) * (k ? 1.5 : 1.0);
            double s = oscs[k]->square(f, 0.4);
            if (local >= 0.0)
                v += s * envelope(local, len - starts[k], 0.002, 0.04);
        }
        return 0.6 * v + 0.6 * lp(rng.range(-1, 1), 2000.0) * std::exp(-t / 0.03);
    });
}

std::vector<float> soundMiteHit() {
    Osc o;
    const double len = 0.03;
    return render(len, 0.35,
                  [&](double t) { return o.square(2800.0, 0.3) * envelope(t, len, 0.001, 0.008); });
}

std::vector<float> soundMiteDeath() {
    Rng rng(89);
    Osc o;
    LowPass lp;
    const double len = 0.1;
    return render(len, 0.45, [&](double t) {
        double f = 700.0 + 1800.0 * (t / len);
        double pop = o.square(f, 0.4) * envelope(t, len, 0.001, 0.03);
        double puff = lp(rng.range(-1, 1), 4000.0) * envelope(t, len, 0.001, 0.015);
        return 0.6 * pop + 0.8 * puff;
    });
}
