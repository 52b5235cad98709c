object DateDlgForm: TDateDlgForm
  Left = 300
  Top = 200
  BorderStyle = bsDialog
  Caption = 'Укажите дату'
  ClientHeight = 90
  ClientWidth = 260
  Color = clBtnFace
  Font.Name = 'MS Sans Serif'
  Font.Height = -11
  Position = poScreenCenter
  object DateTimePicker1: TDateTimePicker
    Left = 8
    Top = 12
    Width = 244
    Height = 24
    DateFormat = dfLong
  end
  object OKBtn: TButton
    Left = 96
    Top = 56
    Width = 75
    Height = 25
    Caption = 'OK'
    Default = True
    ModalResult = 1
    TabOrder = 1
  end
  object CancelBtn: TButton
    Left = 177
    Top = 56
    Width = 75
    Height = 25
    Cancel = True
    Caption = 'Cancel'
    ModalResult = 2
    TabOrder = 2
  end
end
