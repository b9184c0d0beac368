{ fpconv: the independent conversion peer for Vantor's differential tests and
  benchmarks. It only calls the public conversion functions of Free Pascal's
  Classes unit; it holds no conversion logic of its own.

    fpconv t2b IN OUT          text form -> bare TPF0 stream
    fpconv b2t IN OUT          bare TPF0 stream -> text form
    fpconv bench-t2b IN N      convert IN N times in memory, print seconds
    fpconv bench-b2t IN N      likewise for binary -> text

  Exit codes: 0 success, 1 conversion error (message on stderr), 2 usage or
  file error. }
program fpconv;

{$mode objfpc}{$H+}

uses
  SysUtils, Classes, Linux, UnixType;

function MonotonicSeconds: Double;
var
  ts: TTimeSpec;
begin
  clock_gettime(CLOCK_MONOTONIC, @ts);
  Result := ts.tv_sec + ts.tv_nsec / 1e9;
end;

{ Output is rewritten from its start; in the timing mode its memory is kept
  from one round to the next (setting Size to 0 would free it). }
procedure Convert(ToBinary: Boolean; Input, Output: TMemoryStream);
begin
  Input.Position := 0;
  Output.Position := 0;
  if ToBinary then
    ObjectTextToBinary(Input, Output)
  else
    ObjectBinaryToText(Input, Output);
end;

procedure Usage;
begin
  WriteLn(StdErr, 'usage: fpconv t2b|b2t IN OUT | fpconv bench-t2b|bench-b2t IN N');
  Halt(2);
end;

var
  Mode: string;
  Input, Output: TMemoryStream;
  Count, I: Integer;
  Started, Elapsed: Double;
begin
  if ParamCount <> 3 then
    Usage;
  Mode := ParamStr(1);
  Input := TMemoryStream.Create;
  Output := TMemoryStream.Create;
  try
    try
      Input.LoadFromFile(ParamStr(2));
    except
      on E: Exception do
      begin
        WriteLn(StdErr, ParamStr(2), ': ', E.Message);
        Halt(2);
      end;
    end;
    try
      if (Mode = 't2b') or (Mode = 'b2t') then
      begin
        Convert(Mode = 't2b', Input, Output);
        Output.SaveToFile(ParamStr(3));
      end
      else if (Mode = 'bench-t2b') or (Mode = 'bench-b2t') then
      begin
        Count := StrToIntDef(ParamStr(3), 0);
        if Count < 1 then
          Usage;
        Output.Size := Input.Size * 4; { reserve once, as the C++ side may }
        Started := MonotonicSeconds;
        for I := 1 to Count do
          Convert(Mode = 'bench-t2b', Input, Output);
        Elapsed := MonotonicSeconds - Started;
        WriteLn(FormatFloat('0.000000000', Elapsed));
      end
      else
        Usage;
    except
      on E: Exception do
      begin
        WriteLn(StdErr, E.ClassName, ': ', E.Message);
        Halt(1);
      end;
    end;
  finally
    Output.Free;
    Input.Free;
  end;
end.
